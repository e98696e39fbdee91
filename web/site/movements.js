// "Flottenbewegungen": pasted fleet movements grouped by target as the
// desktop's overview groups them; the core makes the rows and names the lines
// it cannot read, each press of "Eintragen" appends its rows below the
// earlier ones.
import { call, countUpdate, tableRow, utf8 } from './planning-lists.js';
import { onFirstShown } from './tabs.js';
import { showMessage } from './text.js';

const markup = `
<section class="card plan-card" aria-labelledby="moves-title">
  <h2 id="moves-title">Flottenbewegungen</h2>
  <div class="plan-scroll" role="region" aria-label="Liste der Flottenbewegungen" tabindex="0">
    <table id="moves-table" class="plan-list moves-list">
      <thead><tr><th scope="col">Anzahl</th><th scope="col">Von</th><th scope="col">ETA</th></tr></thead>
      <tbody></tbody>
    </table>
    <p id="moves-empty" class="plan-empty">Noch keine Flottenbewegungen.</p>
  </div>
  <p id="moves-hint" class="muted moves-hint">Eine Flottenbewegung je Zeile, zum Beispiel:
100 Ships from 1.2.3 attacking 4.5.6 ETA 3
50 Ships from 7.8.9 defending 4.5.6 ETA 2
20 Ships from 2.2.2 attacking 4.5.6 [12:00 Uhr]
1000+200 Ships attacking 4.5.6 ETA 5h from 3.3.3</p>
  <label for="moves-paste" class="plan-label">Flottenbewegungen einfügen</label>
  <textarea id="moves-paste" class="plan-paste" spellcheck="false" autocomplete="off" aria-describedby="moves-hint"></textarea>
  <div class="row plan-actions">
    <button id="moves-enter" class="button primary" type="button">Eintragen</button>
    <button id="moves-clear" class="button" type="button">Leeren</button>
  </div>
  <p id="moves-message" class="message plan-message" role="status" aria-live="polite"></p>
</section>`;

function build(panel) {
  panel.innerHTML = markup;
  const $ = (id) => panel.querySelector(`#${id}`);
  const body = $('moves-table').tBodies[0];
  const paste = $('moves-paste');
  const message = $('moves-message');
  const shown = () => {
    $('moves-empty').hidden = body.rows.length > 0;
    countUpdate(panel);
  };

  $('moves-enter').addEventListener('click', async () => {
    // Nothing pasted would still close an empty group of zero sums.
    if (paste.value.trim() === '') return;
    try {
      const { rows, refusal } = await call('fleetMoves', { text: utf8(paste.value) });
      body.append(...rows.map((row) => tableRow(row.cells, row)));
      paste.value = '';
      showMessage(message, refusal, refusal ? 'error' : '');
    } catch (error) {
      showMessage(message, `Die Flottenbewegungen konnten nicht gelesen werden: ${error.message}`, 'error');
    }
    shown();
  });
  $('moves-clear').addEventListener('click', () => {
    body.replaceChildren();
    shown();
  });
}

onFirstShown('tab-movements', build);

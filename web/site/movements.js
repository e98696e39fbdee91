// "Flottenbewegungen": pasted fleet movements grouped by target as the
// desktop's overview groups them; the core makes the rows and names the lines
// it cannot read, each press of "Eintragen" appends its rows below the
// earlier ones.
import { t, translate } from './i18n.js';
import { call, countUpdate, tableRow, utf8 } from './planning-lists.js';
import { onFirstShown } from './tabs.js';
import { showMessage } from './text.js';

const markup = `
<section class="card plan-card" aria-labelledby="moves-title">
  <h2 id="moves-title" data-i18n="moves.title"></h2>
  <div class="plan-scroll" role="region" data-i18n-aria-label="moves.list" tabindex="0">
    <table id="moves-table" class="plan-list moves-list">
      <thead><tr><th scope="col" data-i18n="moves.count"></th><th scope="col" data-i18n="moves.from"></th><th scope="col" data-i18n="moves.eta"></th></tr></thead>
      <tbody></tbody>
    </table>
    <p id="moves-empty" class="plan-empty" data-i18n="moves.empty"></p>
  </div>
  <p id="moves-hint" class="muted moves-hint"><span data-i18n="moves.hint"></span>
100 Ships from 1.2.3 attacking 4.5.6 ETA 3
50 Ships from 7.8.9 defending 4.5.6 ETA 2
20 Ships from 2.2.2 attacking 4.5.6 [12:00 Uhr]
1000+200 Ships attacking 4.5.6 ETA 5h from 3.3.3</p>
  <label for="moves-paste" class="plan-label" data-i18n="moves.paste"></label>
  <textarea id="moves-paste" class="plan-paste" spellcheck="false" autocomplete="off" aria-describedby="moves-hint"></textarea>
  <div class="row plan-actions">
    <button id="moves-enter" class="button primary" type="button" data-i18n="moves.enter"></button>
    <button id="moves-clear" class="button" type="button" data-i18n="moves.clear"></button>
  </div>
  <p id="moves-message" class="message plan-message" role="status" aria-live="polite"></p>
</section>`;

function build(panel) {
  panel.innerHTML = markup;
  translate(panel);
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
      showMessage(message, t('moves.unreadable', { reason: error.message }), 'error');
    }
    shown();
  });
  $('moves-clear').addEventListener('click', () => {
    body.replaceChildren();
    shown();
  });
}

onFirstShown('tab-movements', build);

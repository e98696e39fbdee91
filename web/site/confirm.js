// Asks before something that cannot be undone, in a modal <dialog>: focus
// stays inside it, Escape cancels, and "Abbrechen" has the focus first, so a
// hasty Enter deletes nothing.
import { t, translate } from './i18n.js';

let dialog = null;

function makeDialog() {
  dialog = document.createElement('dialog');
  dialog.className = 'confirm card';
  dialog.setAttribute('aria-labelledby', 'confirm-text');
  dialog.innerHTML = `<p id="confirm-text"></p>
    <div class="row actions"><span class="spacer"></span>
      <button type="button" class="button" data-answer="no" data-i18n="dialog.cancel"></button>
      <button type="button" class="button danger" data-answer="yes"></button>
    </div>`;
  dialog.addEventListener('click', (event) => {
    const answer = event.target.dataset?.answer;
    if (answer) dialog.close(answer);
  });
  translate(dialog);
  document.body.append(dialog);
}

// Resolves true when the player chose `confirmLabel`.
export function confirmAction(text, confirmLabel = t('dialog.delete')) {
  if (!dialog) makeDialog();
  dialog.querySelector('#confirm-text').textContent = text;
  dialog.querySelector('[data-answer="yes"]').textContent = confirmLabel;
  dialog.returnValue = '';
  dialog.showModal();
  dialog.querySelector('[data-answer="no"]').focus();
  return new Promise((resolve) => {
    dialog.addEventListener('close', () => resolve(dialog.returnValue === 'yes'), { once: true });
  });
}

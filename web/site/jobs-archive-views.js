// The worker's side of the stored battles list and the statistics: each job
// calls the archive code compiled into the module, in the tab that holds the
// archive (another tab asks that one). Changes are refused in a tab that only
// reads the archive; SQLite has them on disk before the reply, so what the
// page shows as done survives a closed tab.
import { archiveFile } from './jobs-archive-file.js';
import { cancelledJobs } from './job-state.js';


// What the tabs may ask, each answered with the archive's errors.
archiveFile.addReads({
  findBattles: (module, { filter }) => module.findStoredBattles(filter),
  storedPage: (module, { battleId }) => ({ page: module.storedBattlePage(battleId) }),
  exportCsv: (module, { filter, table, separator }) => module.exportCsv(filter, table, separator),
  personalRecord: (module) => ({ record: module.personalRecord() }),
  timeline: (module, { step }) => module.timeline(step),
});

async function read(module, name, args, transfer = () => []) {
  await archiveFile.ready(module);
  const result = await archiveFile.read(module, name, args);
  return [result, transfer(result)];
}

async function changeArchive(module, work) {
  await archiveFile.ready(module);
  const result = await archiveFile.change(module, work);
  return [{ ...result, errors: module.archiveErrors() }, []];
}

// Searching as the player types sends a query per key, each cancelling the
// one before; only the newest one still waiting is worth running. A query
// yields once before it runs, so the cancellations that queued up behind a
// running one are all seen first.
const messagesSeen = () => new Promise((resolve) => setTimeout(resolve, 0));

export const viewJobs = {
  async openArchive(module) {
    await archiveFile.ready(module);
    return [{}, []];
  },
  async findBattles(module, { filter }, id) {
    await messagesSeen();
    if (cancelledJobs.has(id)) return [null, []];
    return read(module, 'findBattles', { filter }, (found) => [found.ids.buffer, found.ends.buffer, found.text.buffer]);
  },
  async storedPage(module, { battleId }) {
    return read(module, 'storedPage', { battleId }, ({ page }) => [page.buffer]);
  },
  async exportCsv(module, { filter, table, separator }) {
    const transfer = ({ files }) => files.map((file) => file.bytes.buffer);
    return read(module, 'exportCsv', { filter, table, separator }, transfer);
  },
  async deleteBattle(module, { battleId }) {
    return changeArchive(module, () => ({ outcome: module.deleteStoredBattle(battleId) }));
  },
  async deleteAllBattles(module) {
    return changeArchive(module, () => ({ deleted: module.deleteAllStoredBattles() }));
  },
  async personalRecord(module) {
    return read(module, 'personalRecord');
  },
  async resetPersonalRecord(module) {
    return changeArchive(module, () => ({ record: module.resetPersonalRecord() }));
  },
  async timeline(module, { step }) {
    return read(module, 'timeline', { step });
  },
};

// The worker's side of the stored battles list and the statistics: each job
// calls the archive code compiled into the module. Changes are refused in a
// tab that only reads the archive, and written back to the browser's storage
// before the reply, so what the page shows as done survives a closed tab.
'use strict';

// Each job's database errors travel with its reply, for the page to show.
async function withArchive(module, work) {
  await self.archiveFile.ready(module);
  const [result, transfer] = await work();
  return [{ ...result, errors: module.archiveErrors() }, transfer];
}

async function changeArchive(module, change) {
  return withArchive(module, async () => {
    self.archiveFile.requireWritable();
    const result = change();
    await self.archiveFile.save(module);
    return [result, []];
  });
}

// Searching as the player types sends a query per key; only the newest one
// still waiting is worth running. A query yields once before it runs, so the
// messages that queued up behind a running one are all seen first.
let newestSearch = 0;
const messagesSeen = () => new Promise((resolve) => setTimeout(resolve, 0));

Object.assign(self.workerJobs, {
  async openArchive(module) {
    return withArchive(module, () => [{}, []]);
  },
  async findBattles(module, { filter, search }) {
    newestSearch = Math.max(newestSearch, search || 0);
    await messagesSeen();
    if (search && search < newestSearch) throw new Error('superseded');
    return withArchive(module, () => {
      const found = module.findStoredBattles(filter);
      return [found, [found.ids.buffer, found.ends.buffer, found.text.buffer]];
    });
  },
  async storedPage(module, { battleId }) {
    return withArchive(module, () => {
      const page = module.storedBattlePage(battleId);
      return [{ page }, [page.buffer]];
    });
  },
  async exportCsv(module, { filter, table, separator }) {
    return withArchive(module, () => {
      const exported = module.exportCsv(filter, table, separator);
      return [exported, exported.files.map((file) => file.bytes.buffer)];
    });
  },
  async deleteBattle(module, { battleId }) {
    return changeArchive(module, () => ({ outcome: module.deleteStoredBattle(battleId) }));
  },
  async deleteAllBattles(module) {
    return changeArchive(module, () => ({ deleted: module.deleteAllStoredBattles() }));
  },
  async personalRecord(module) {
    return withArchive(module, () => [{ record: module.personalRecord() }, []]);
  },
  async resetPersonalRecord(module) {
    return changeArchive(module, () => ({ record: module.resetPersonalRecord() }));
  },
  async timeline(module, { step }) {
    return withArchive(module, () => [module.timeline(step), []]);
  },
});

// The planning tabs' jobs. The plan
// travels as its file's bytes: each job hands them to the core with the
// change and returns the changed plan's bytes with its rows, or null when the
// change did not apply.
const planResult = (result) => [result, result && result.plan ? [result.plan.buffer] : []];

export const planningJobs = {
  async planImport(module, { plan, text, fromFile }) {
    return planResult(module.planImportOutgoings(plan, text, fromFile));
  },
  async planSums(module, { plan }) {
    return planResult(module.planComputeSums(plan));
  },
  async planEdit(module, { plan, path, classes }) {
    return planResult(module.planEditClasses(plan, path, classes));
  },
  async planRemove(module, { plan, target, child }) {
    return planResult(module.planRemoveFleet(plan, target, child));
  },
  async planExpand(module, { plan, path, expanded }) {
    return planResult(module.planSetExpanded(plan, path, expanded));
  },
  // A plan file's bytes: the plan, or {error} in the core's language.
  async planLoad(module, { bytes }) {
    return planResult(module.planLoad(bytes));
  },
  async fleetMoves(module, { text }) {
    return [module.fleetMoves(text), []];
  },
};

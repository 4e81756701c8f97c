#include "study/ParameterRuns.h"

#include "study/CheckColumns.h"
#include "study/ThreadPool.h"

pumpfield::Inputs InputsOf(const TDMPumpfield& base) {
  pumpfield::Inputs inputs;
  inputs.title1 = base.Title1;
  inputs.title2 = base.Title2;
  inputs.aimCode = base.AimCode;
  for (size_t i = 0; i < inputs.values.size() && i < base.Params.size(); ++i)
    inputs.values[i] = base.Params[i];
  inputs.fileName = base.InputFileName;
  return inputs;
}

bool RunParameterSets(const pumpfield::Inputs& base, size_t count,
                      const std::function<void(size_t index, pumpfield::Inputs& inputs)>& change,
                      std::vector<RunRecord>& records, const StudyRun& run) {
  records.assign(count, RunRecord());
  std::vector<RunRecord> ended(count);
  size_t done = 0;
  ParallelTasks tasks;
  tasks.count = count;
  tasks.workers = run.workers;
  tasks.work = [&](size_t index, const std::atomic<bool>& stop) {
    pumpfield::Inputs inputs = base;
    change(index, inputs);
    pumpfield::RunOptions options;
    options.cancel = &stop;
    const pumpfield::Result result = pumpfield::Run(inputs, options);
    ended[index] = RecordOfRun(result);
    if (run.check && result.status == RunStatus::ReportWritten)
      ended[index].check = CheckCellsOfReport(result.report);
  };
  tasks.finished = [&](size_t index, const std::string& failure) {
    RunRecord record = failure.empty() ? ended[index] : FailedRunRecord(failure);
    if (record.aimCode.empty())
      record.aimCode = base.aimCode;
    records[index] = record;
    if (run.finished)
      run.finished(index, record, ++done);
  };
  tasks.stopRequested = run.stopRequested;
  tasks.tick = run.tick;
  return RunInParallel(tasks);
}

// Speed of the flow model: the fine pass per step for each well-bottom branch against a bare
// loop of the same arithmetic, and whole runs of each aim.
#include "calc/Engine.h"
#include "calc/FlowPass.h"
#include "calc/RunFiles.h"
#include "calc/UTrellow.h"
#include "core/Services.h"
#include "core/TextFile.h"
#include "data/UDMPumpfield.h"
#include "run/AimDispatch.h"
#include "run/RunInputFile.h"
#include "study/Sweep.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;
using flowpass::WellBottom;

namespace {
const std::string kFolder = (fs::temp_directory_path() / "pumpfield-bench").string();

// A two-layer soil whose well bottom lies in the given branch; half spacing 50 m.
void SetUpState(FlowModelState& s, WellBottom branch) {
  s = FlowModelState();
  s.Ka = 0.8, s.Kb1 = 0.6, s.Kv1 = 0.15, s.Kb2 = 8, s.Kv2 = 2.5;
  s.D1 = 4, s.D2 = 18, s.Dw = 2.5, s.E = 0.2, s.W = 0.3, s.rw = 0.15;
  s.Db = branch == WellBottom::InLayer1 ? 3.5 : branch == WellBottom::InLayer2 ? 12 : 18;
  s.T1 = s.D1 - s.Dw, s.T2 = s.D2 - s.D1;
  s.Lw = s.Db - s.Dw, s.L2 = s.Db - s.D1;
  PrepareLayers(s);
  s.S = 50;
  s.R = 0.0038;
}

// An engine whose reports stay in memory.
struct MemoryEngine {
  SilentServices services;
  Engine engine{services};
  MemoryEngine() { engine.Files = {true, std::string(), false}; }
};

const int64_t kStepsAt50 = 5000000 - 15001 + 1;

void CalcHeadProfileSteps(benchmark::State& state) {
  const auto branch = static_cast<WellBottom>(state.range(0));
  MemoryEngine memory;
  Engine& engine = memory.engine;
  for (auto _ : state) {
    SetUpState(engine.Flow, branch);
    Report report(engine);
    CalcHeadProfile(engine, report);
    benchmark::DoNotOptimize(engine.Flow.F);
  }
  // Shown as seconds per step with an SI prefix, e.g. "44n" for 44 ns.
  state.counters["per_step"] =
      benchmark::Counter(double(kStepsAt50), benchmark::Counter::kIsIterationInvariantRate |
                                                 benchmark::Counter::kInvert);
}

// The floor: the arithmetic chain of a fine-pass step and nothing else.
template <WellBottom B>
double BareSteps(const FlowModelState& s, int64_t first, int64_t last, double he) {
  const double p = 0.00001, S = s.S, Rc = s.R, St = s.St;
  double F = he, G = 0;
  for (int64_t i = first; i <= last; ++i) {
    const double x = Store((LD(i) - 0.5L) * p);
    const double d = Store(LD(Store(1.571L * x)) + St);
    const double hm = Store(LD(F) + 0.5L * G * p);
    double tr = flowpass::Transmissivity<B>(s, hm, d);
    tr = Store(6.28L * x * tr);
    const double A = Store(3.14L * (LD(S) * S - LD(x) * x));
    G = Store(Divide(LD(Rc) * A, tr));
    F = Store(LD(F) + LD(G) * p);
    if (F < 0.0001L)
      F = Store(0.0001L);
  }
  return F;
}

void ArithmeticFloor(benchmark::State& state) {
  const auto branch = static_cast<WellBottom>(state.range(0));
  MemoryEngine memory;
  Engine& engine = memory.engine;
  FlowModelState& Flow = engine.Flow;
  SetUpState(Flow, branch);
  const double he = Store(Divide(3.14L * Flow.S * Flow.S * Flow.R * Flow.E, Flow.Lw));
  double F = 0;
  for (auto _ : state) {
    switch (branch) {
    case WellBottom::InLayer1:
      F = BareSteps<WellBottom::InLayer1>(Flow, 15001, 5000000, he);
      break;
    case WellBottom::ThroughLayer2:
      F = BareSteps<WellBottom::ThroughLayer2>(Flow, 15001, 5000000, he);
      break;
    case WellBottom::InLayer2:
      F = BareSteps<WellBottom::InLayer2>(Flow, 15001, 5000000, he);
      break;
    }
    benchmark::DoNotOptimize(F);
  }
  // It is a floor only while it computes what the fine pass computes, to the last bit.
  Report report(engine);
  CalcHeadProfile(engine, report);
  if (F != Flow.F)
    state.SkipWithError("the bare chain ends with another head than the fine pass");
  // Shown as seconds per step with an SI prefix, e.g. "44n" for 44 ns.
  state.counters["per_step"] =
      benchmark::Counter(double(kStepsAt50), benchmark::Counter::kIsIterationInvariantRate |
                                                 benchmark::Counter::kInvert);
}

// Input files of each aim whose half spacing is about 50 m or 500 m.
std::string InputText(const std::string& aim, bool wide) {
  const char* numbers = nullptr;
  if (aim == "Spa")
    numbers = wide ? "0.000028 4 18 2.5 12 0.2 0.3 0.8 0.6 0.15 8 2.5 1.5 0"
                   : "0.0038 4 18 2.5 12 0.2 0.3 0.8 0.6 0.15 8 2.5 1.5 0";
  else if (aim == "Dis")
    numbers = wide ? "1.5 4 18 2.5 12 0.2 0.3 0.8 0.6 0.15 8 2.5 1000 0"
                   : "1.5 4 18 2.5 12 0.2 0.3 0.8 0.6 0.15 8 2.5 100 0";
  else if (aim == "Hydr")
    numbers = wide ? "0.0001 4 18 2.5 12 0.2 0.3 0.8 0.6 0.15 8 2.5 1000 1000"
                   : "0.003 4 18 2.5 12 0.2 0.3 0.8 0.6 0.15 8 2.5 100 100";
  else
    numbers = wide ? "0.0001 1.4 16 3 10 0.1 0.25 1000 0 0 0 0 0 0"
                   : "0.002 1.4 16 3 10 0.1 0.25 100 0 0 0 0 0 0";
  return "bench\r\nrun\r\nFile Name: bench\r\n" + aim + "\r\n" + numbers + "\r\n";
}

void WholeRun(benchmark::State& state, const std::string& aim) {
  const bool wide = state.range(0) == 500;
  const std::string input = kFolder + "/" + aim + (wide ? "-500" : "-50") + ".inp";
  {
    TextWriter file(input);
    file.Write(InputText(aim, wide));
  }
  SilentServices services;
  Engine engine(services);
  engine.Files.ErrorList = kFolder + "/Error.lst";
  engine.DMPumpfield.InputFileName = input;
  engine.DMPumpfield.LoadInputFile();
  const AimRun* run = FindAimRun(aim);
  for (auto _ : state) {
    run->check(engine);
    if (engine.InputErrorFlag)
      state.SkipWithError("input errors");
    run->calculate(engine);
  }
  // The half spacing of the fine pass (of the diagonal for the rectangular field).
  state.counters["half_spacing_m"] = aim == "Spa" ? engine.Flow.S / 2 : engine.Flow.S;
}

// Processor time of the whole process, all threads: a sweep's points run on a worker thread.
double ProcessSeconds() {
  timespec now;
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

// What a sweep point costs beyond its calculation. The same parameter set runs kPoints times
// as its check step and calculation alone (one engine, the report in memory), as the run of the
// parameter set that a lone run of its file makes (with the rounding of its values and the
// window's checks, still in memory), and as kPoints points of a sweep on one worker (a varied
// value that keeps the calculation the same; each point with an engine of its own and the record
// of its results). Processor time of the whole process, taken in turns, so that other work on
// the machine counts as little as can be.
void SweepPointOverhead(benchmark::State& state, const std::string& aim) {
  constexpr size_t kPoints = 8;
  const std::string input = kFolder + "/" + aim + "-sweep.inp";
  {
    TextWriter file(input);
    file.Write(InputText(aim, false));
  }
  SilentServices services;
  Engine engine(services);
  engine.Files = {true, std::string(), false};
  engine.DMPumpfield.InputFileName = input;
  engine.DMPumpfield.LoadInputFile();
  const TDMPumpfield base = engine.DMPumpfield;
  const AimRun* run = FindAimRun(aim);
  SweepTable table;
  table.aim = run->aim;
  const AimInput dw = AimDefinitionOf(run->aim).inputs[3];
  table.varied.push_back({dw, std::vector<double>(kPoints, base.Params[dw.position - 1])});
  const StudyRun oneWorker;

  double calculation = 0, loneRun = 0, point = 0;
  for (auto _ : state) {
    double start = ProcessSeconds();
    for (size_t i = 0; i < kPoints; ++i) {
      engine.DMPumpfield = base;
      run->check(engine);
      run->calculate(engine);
    }
    calculation += ProcessSeconds() - start;
    start = ProcessSeconds();
    for (size_t i = 0; i < kPoints; ++i) {
      engine.DMPumpfield = base;
      RunParameterSet(engine);
    }
    loneRun += ProcessSeconds() - start;
    start = ProcessSeconds();
    RunSweep(base, table, oneWorker);
    point += ProcessSeconds() - start;
    if (table.records[0]->status != StudyStatus::Ok)
      state.SkipWithError("the sweep's point did not run");
  }
  const double points = static_cast<double>(kPoints * state.iterations());
  state.counters["calculation_ms"] = 1000 * calculation / points;
  state.counters["lone_run_ms"] = 1000 * loneRun / points;
  state.counters["sweep_point_ms"] = 1000 * point / points;
  state.counters["over_calculation_%"] = 100 * (point / calculation - 1);
  state.counters["over_lone_run_%"] = 100 * (point / loneRun - 1);
}
} // namespace

BENCHMARK(CalcHeadProfileSteps)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(ArithmeticFloor)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WholeRun, Spacing, std::string("Spa"))
    ->Arg(50)
    ->Arg(500)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WholeRun, Discharge, std::string("Dis"))
    ->Arg(50)
    ->Arg(500)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WholeRun, Field, std::string("Hydr"))
    ->Arg(50)
    ->Arg(500)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WholeRun, Conductivity, std::string("Con"))
    ->Arg(50)
    ->Arg(500)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_CAPTURE(SweepPointOverhead, Spacing, std::string("Spa"))
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SweepPointOverhead, Field, std::string("Hydr"))
    ->Iterations(200)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  fs::create_directories(kFolder);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code error;
  fs::remove_all(kFolder, error);
  return 0;
}

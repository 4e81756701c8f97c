// The Python module pumpfield._pumpfield: the public C++ interface, the sweeps and the
// independent check, with Python's types. Texts of files and reports are single-byte (Latin-1)
// and cross as such; every failure of the program becomes one of the exceptions of
// pumpfield.errors, with the program's own text.
#include "api/Pumpfield.h"
#include "check/ReportCheck.h"
#include "core/FileNames.h"
#include "core/TextFile.h"
#include "core/TextFormat.h"
#include "data/AimTable.h"
#include "data/ReportContent.h"
#include "data/ReportMeaning.h"
#include "study/Design.h"
#include "study/Optimise.h"
#include "study/Sweep.h"

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>
#include <pybind11/stl/filesystem.h>

#include <nlohmann/json.hpp>

#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <memory>
#include <mutex>
#include <thread>

namespace py = pybind11;
using pumpfield::Inputs;
using pumpfield::Result;

namespace {

// Raises the exception `name` of pumpfield.errors, made with `arguments`.
template <class... Arguments> [[noreturn]] void Raise(const char* name, Arguments&&... arguments) {
  py::object type = py::module_::import("pumpfield.errors").attr(name);
  py::object error = type(std::forward<Arguments>(arguments)...);
  PyErr_SetObject(type.ptr(), error.ptr());
  throw py::error_already_set();
}

py::str Latin1ToStr(const std::string& text) {
  return py::reinterpret_steal<py::str>(
      PyUnicode_DecodeLatin1(text.data(), static_cast<Py_ssize_t>(text.size()), nullptr));
}

// A message of the program: UTF-8 where it is (file names), Latin-1 otherwise.
py::str Text(const std::string& text) {
  PyObject* decoded =
      PyUnicode_DecodeUTF8(text.data(), static_cast<Py_ssize_t>(text.size()), nullptr);
  if (decoded)
    return py::reinterpret_steal<py::str>(decoded);
  PyErr_Clear();
  return Latin1ToStr(text);
}

py::list Texts(const std::vector<std::string>& texts) {
  py::list list;
  for (const std::string& text : texts)
    list.append(Text(text));
  return list;
}

py::list BytesList(const std::vector<std::string>& texts) {
  py::list list;
  for (const std::string& text : texts)
    list.append(py::bytes(text));
  return list;
}

std::string StrToLatin1(const py::str& text, const char* what) {
  PyObject* bytes = PyUnicode_AsLatin1String(text.ptr());
  if (!bytes) {
    PyErr_Clear();
    Raise("InputError", Texts({std::string(what) + " holds a character that an input file "
                                                   "cannot hold (only Latin-1 characters)."}));
  }
  std::string result(PyBytes_AsString(bytes), static_cast<size_t>(PyBytes_Size(bytes)));
  Py_DECREF(bytes);
  return result;
}

// Runs `work` without the GIL, turning the program's exceptions into the module's.
template <class Work> auto WithoutGil(Work work) -> decltype(work()) {
  bool input = false, cancelled = false;
  std::string text;
  try {
    py::gil_scoped_release release;
    return work();
  } catch (const RunCancelled& error) {
    cancelled = true;
    text = error.what();
  } catch (const InputOutputError& error) {
    input = true;
    text = error.what();
  } catch (const SweepUsageError& error) {
    input = true;
    text = error.what();
  } catch (const std::exception& error) {
    // ArithmeticError, CellModelError, and what no run should raise (no memory, say).
    text = error.what();
  } catch (...) {
    text = "An unexpected failure stopped the calculation.";
  }
  if (cancelled)
    Raise("Cancelled", Text(text));
  if (input)
    Raise("InputError", Texts({text}));
  Raise("CalculationError", Text(text));
}

const AimDefinition& AimOf(const Inputs& inputs) {
  const AimDefinition* aim = AimDefinitionOfCode(inputs.aimCode);
  return aim ? *aim : AimDefinitionOf(Aim::Spacing);
}

std::string SymbolList(const AimDefinition& aim) {
  std::string list;
  for (const AimInput& input : aim.inputs)
    list += (list.empty() ? "" : ", ") + std::string(input.symbol);
  return list;
}

// The value of `symbol` in `inputs`; nullptr when its aim has no such input.
double* ValueOf(Inputs& inputs, const std::string& symbol) {
  const AimInput* input = FindInput(AimOf(inputs), symbol);
  return input ? &inputs.values[input->position - 1] : nullptr;
}

double& ValueOrKeyError(Inputs& inputs, const std::string& symbol) {
  if (double* value = ValueOf(inputs, symbol))
    return *value;
  throw py::key_error("\"" + symbol + "\" is no input of the aim \"" + inputs.aimCode +
                      "\"; its inputs are " + SymbolList(AimOf(inputs)));
}

// `value` as a number (an int, a float, a NumPy scalar); InputError naming `what` otherwise.
double NumberOf(py::handle value, const std::string& what) {
  const double number = PyFloat_AsDouble(value.ptr());
  if (number == -1.0 && PyErr_Occurred()) {
    PyErr_Clear();
    Raise("InputError", Texts({"The value of " + what + " is no number."}));
  }
  return number;
}

void SetAim(Inputs& inputs, const std::string& code) {
  if (!IsKnownAimCode(code))
    Raise(
        "InputError",
        Texts({"\"" + code + "\" is no aim: use \"Spa\", \"Dis\", \"Hyd\", \"Hydr\" or \"Con\"."}));
  inputs.aimCode = code;
}

py::object ObjectSetattr() {
  return py::module_::import("builtins").attr("object").attr("__setattr__");
}

py::tuple InputsState(const Inputs& inputs) {
  return py::make_tuple(
      py::bytes(inputs.aimCode), py::bytes(inputs.title1), py::bytes(inputs.title2),
      std::vector<double>(inputs.values.begin(), inputs.values.end()), py::bytes(inputs.fileName));
}

Inputs InputsOfState(const py::tuple& state) {
  if (state.size() != 5)
    throw std::runtime_error("not a pickled pumpfield.Inputs");
  Inputs inputs;
  inputs.aimCode = state[0].cast<std::string>();
  inputs.title1 = state[1].cast<std::string>();
  inputs.title2 = state[2].cast<std::string>();
  const auto values = state[3].cast<std::vector<double>>();
  for (size_t i = 0; i < inputs.values.size() && i < values.size(); ++i)
    inputs.values[i] = values[i];
  inputs.fileName = state[4].cast<std::string>();
  return inputs;
}

// A stop flag that Python threads share with runs and sweeps.
class Cancel {
public:
  void Set() { flag_ = true; }
  bool IsSet() const { return flag_; }
  const std::atomic<bool>* Flag() const { return &flag_; }
  void Started() {
    std::lock_guard lock(mutex_);
    ++started_;
    startedChanged_.notify_all();
  }
  void WaitStarted(size_t count) {
    py::gil_scoped_release release;
    std::unique_lock lock(mutex_);
    startedChanged_.wait(lock, [&] { return started_ >= count; });
  }

private:
  std::atomic<bool> flag_ = false;
  std::mutex mutex_;
  std::condition_variable startedChanged_;
  size_t started_ = 0;
};

Result RunInputs(const Inputs& given, Cancel* cancel) {
  const Inputs inputs = given;
  Result result = WithoutGil([&] {
    pumpfield::RunOptions options;
    if (cancel) {
      options.cancel = cancel->Flag();
      cancel->Started();
    }
    return pumpfield::Run(inputs, options);
  });
  switch (result.status) {
  case RunStatus::ReportWritten:
    return result;
  case RunStatus::InputErrors:
    Raise("InputError", Texts(result.errors));
  case RunStatus::ArithmeticError:
    Raise("CalculationError", Text(result.errorText), Latin1ToStr(result.report));
  case RunStatus::BadInputFile:
    break;
  }
  Raise("InputError", Texts({result.errorText}));
}

ReportContent ContentOf(const Result& result) { return ParseReportLines(TextLines(result.report)); }

py::object OptionalNumber(const std::optional<double>& value) {
  return value ? py::object(py::float_(*value)) : py::object(py::none());
}

py::array_t<double> Array(const std::vector<double>& values) {
  return py::array_t<double>(static_cast<py::ssize_t>(values.size()), values.data());
}

py::tuple ResultState(const Result& result) {
  py::list values, profiles;
  for (const PrintedResult& printed : result.values)
    values.append(
        py::make_tuple(py::bytes(printed.symbol), py::bytes(printed.figure), printed.value));
  for (const pumpfield::Profile& profile : result.profiles)
    profiles.append(
        py::make_tuple(py::bytes(profile.name), profile.x, profile.head, profile.gradient));
  return py::make_tuple(static_cast<int>(result.status), py::bytes(result.aimCode),
                        py::bytes(result.reportName), result.converged, py::bytes(result.errorText),
                        py::bytes(result.note), values, profiles, py::bytes(result.report),
                        py::bytes(result.errorList), BytesList(result.errors),
                        BytesList(result.messages));
}

Result ResultOfState(const py::tuple& state) {
  if (state.size() != 12)
    throw std::runtime_error("not a pickled pumpfield.Result");
  Result result;
  result.status = static_cast<RunStatus>(state[0].cast<int>());
  result.aimCode = state[1].cast<std::string>();
  result.reportName = state[2].cast<std::string>();
  result.converged = state[3].cast<bool>();
  result.errorText = state[4].cast<std::string>();
  result.note = state[5].cast<std::string>();
  for (py::handle item : state[6]) {
    const auto [symbol, figure, value] = item.cast<std::tuple<std::string, std::string, double>>();
    result.values.push_back({symbol, figure, value});
  }
  for (py::handle item : state[7]) {
    auto [name, x, head, gradient] = item.cast<
        std::tuple<std::string, std::vector<double>, std::vector<double>, std::vector<double>>>();
    result.profiles.push_back({name, std::move(x), std::move(head), std::move(gradient)});
  }
  result.report = state[8].cast<std::string>();
  result.errorList = state[9].cast<std::string>();
  result.errors = state[10].cast<std::vector<std::string>>();
  result.messages = state[11].cast<std::vector<std::string>>();
  return result;
}

// Short keys of the three lines of a rectangular field, in the report's order.
const char* const kFieldLineKeys[3] = {"longer_spacing", "shorter_spacing", "diagonal"};

py::dict CheckOfResult(const Result& result) {
  const ReportContent content = ContentOf(result);
  std::string errorText;
  std::optional<DesignCheck> check;
  if (content.aim)
    check = WithoutGil([&] { return CheckReport(content, errorText); });
  if (!check)
    Raise("CalculationError",
          Text(errorText.empty() ? "The result holds no report to check." : errorText));
  const bool field = content.aim == Aim::FieldDepths;
  // One number for a report of one line, one per line of a rectangular field.
  auto perLine = [&](auto value) -> py::object {
    if (!field)
      return py::float_(value(check->depths.front()));
    py::dict lines;
    for (size_t i = 0; i < check->depths.size() && i < 3; ++i)
      lines[kFieldLineKeys[i]] = value(check->depths[i]);
    return py::object(lines);
  };
  py::dict values;
  values["midway_depth"] = perLine([](const CheckedDepth& d) { return d.depth; });
  values["centre_depth"] = check->centreDepth;
  values["report_depth"] = perLine([](const CheckedDepth& d) { return d.reported.depth; });
  values["difference"] = perLine([](const CheckedDepth& d) { return d.difference; });
  values["difference_of_drawdown"] = perLine([](const CheckedDepth& d) { return d.ofDrawdown; });
  if (content.aim == Aim::Spacing)
    values["spacing_needed"] = OptionalNumber(check->spacingNeeded);
  values["flag"] = check->flagged;
  values["screen_face_head"] = check->screenFaceHead;
  values["report_first_head"] = check->reportFirstHead;
  if (const auto achieved = AchievedMidwayDepth(content))
    values["achieved_depth"] = *achieved;
  if (const auto recharge = SquareShareRecharge(content))
    values["recharge_over_square_share"] = *recharge;
  return values;
}

// The inputs as a study starts from them: an input file's contents.
TDMPumpfield StudyBase(const Inputs& inputs) {
  TDMPumpfield dm;
  dm.Title1 = inputs.title1;
  dm.Title2 = inputs.title2;
  dm.AimCode = inputs.aimCode;
  dm.Params.assign(inputs.values.begin(), inputs.values.end());
  dm.InputFileName = inputs.fileName;
  return dm;
}

// `jobs` runs at a time (0: one per processor), stopped through `cancel`; call without the GIL.
StudyRun StudyRunOf(int jobs, Cancel* cancel) {
  StudyRun run;
  run.workers =
      jobs > 0 ? jobs : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  if (cancel) {
    run.stopRequested = [cancel] { return cancel->IsSet(); };
    cancel->Started();
  }
  return run;
}

py::list SweepInputs(const Inputs& base, const py::dict& vary, int jobs, Cancel* cancel) {
  SweepTable table;
  table.aim = AimOf(base).aim;
  std::vector<std::string> texts;
  for (const auto& [symbol, values] : vary) {
    const std::string name = py::str(symbol).cast<std::string>();
    std::string text = name + "=";
    const py::object given = py::reinterpret_borrow<py::object>(values);
    const py::list list =
        py::isinstance<py::iterable>(given) ? py::list(given) : py::list(py::make_tuple(given));
    for (size_t i = 0; i < list.size(); ++i)
      text += (i > 0 ? "," : "") + PlainNumber(NumberOf(list[i], name));
    texts.push_back(text);
  }
  const TDMPumpfield dm = StudyBase(base);
  const bool finished = WithoutGil([&] {
    for (const std::string& text : texts)
      table.varied.push_back(ParseVaried(text, base.aimCode));
    return RunSweep(dm, table, StudyRunOf(jobs, cancel));
  });
  if (!finished)
    Raise("Cancelled", "The sweep was cancelled.");
  const std::vector<CsvRow> rows = SweepRows(table);
  const size_t varied = table.varied.size(), results = ResultsOfAim(table.aim).size();
  py::list table_rows;
  for (size_t r = 1; r < rows.size(); ++r) {
    py::dict row;
    for (size_t c = 0; c < rows[r].size() && c < rows[0].size(); ++c) {
      const std::string& cell = rows[r][c];
      const bool number = c < varied || (c > varied && c <= varied + results);
      const std::optional<double> value = number ? TextToFloat(cell, '.') : std::nullopt;
      row[Latin1ToStr(rows[0][c])] = number ? OptionalNumber(value) : py::object(Latin1ToStr(cell));
    }
    table_rows.append(row);
  }
  return table_rows;
}

// A study's JSON as Python's dicts, lists and numbers (null as None).
py::object PythonOf(const Json& json) {
  return py::module_::import("json").attr("loads")(
      py::str(json.dump(-1, ' ', false, Json::error_handler_t::replace)));
}

// The uncertain inputs as the command line writes them, "SYMBOL=kind:a:b": from a dict of
// symbol to "kind:a:b" or ("kind", a, b), or from a list of whole texts.
std::vector<std::string> UncertainTexts(const py::object& uncertain) {
  std::vector<std::string> texts;
  if (!py::isinstance<py::dict>(uncertain)) {
    for (py::handle item : uncertain)
      texts.push_back(StrToLatin1(py::str(item), "An uncertain input"));
    return texts;
  }
  for (const auto& [symbol, given] : py::reinterpret_borrow<py::dict>(uncertain)) {
    const std::string name = StrToLatin1(py::str(symbol), "A symbol");
    std::string text;
    if (py::isinstance<py::str>(given)) {
      text = StrToLatin1(py::reinterpret_borrow<py::str>(given), "A distribution");
    } else {
      for (py::handle part : given)
        text += (text.empty() ? "" : ":") + (py::isinstance<py::str>(part)
                                                 ? StrToLatin1(py::str(part), "A distribution")
                                                 : PlainNumber(NumberOf(part, name)));
    }
    texts.push_back(name + "=" + text);
  }
  return texts;
}

// The settings of a design; InputError for a bad distribution (with the program's text) or an
// argument out of its range.
DesignSettings DesignSettingsOf(const py::object& uncertain, const std::string& aimCode,
                                long long samples, long long seed, double reliability) {
  if (samples < 2 || samples > static_cast<long long>(kMaxDesignSamples))
    Raise("InputError",
          Texts({"The samples must number 2 to " + std::to_string(kMaxDesignSamples) + "."}));
  if (seed < 0 || seed > 2147483647)
    Raise("InputError", Texts({"The seed must lie between 0 and 2147483647."}));
  if (!(reliability > 0 && reliability < 1))
    Raise("InputError",
          Texts({"The reliability is a probability between 0 and 1, both excluded."}));
  DesignSettings settings;
  settings.samples = static_cast<size_t>(samples);
  settings.seed = static_cast<uint64_t>(seed);
  settings.reliability = reliability;
  const std::vector<std::string> texts = UncertainTexts(uncertain);
  WithoutGil([&] {
    for (const std::string& text : texts) {
      settings.uncertain.push_back(ParseUncertain(text, aimCode));
      for (size_t i = 0; i + 1 < settings.uncertain.size(); ++i)
        if (settings.uncertain[i].input.position == settings.uncertain.back().input.position)
          throw SweepUsageError(std::string(settings.uncertain.back().input.symbol) +
                                " is given twice as uncertain");
    }
  });
  return settings;
}

py::array_t<double> Matrix(const std::vector<std::vector<double>>& rows, size_t columns) {
  py::array_t<double> matrix({rows.size(), columns});
  auto cells = matrix.mutable_unchecked<2>();
  for (size_t r = 0; r < rows.size(); ++r)
    for (size_t c = 0; c < columns; ++c)
      cells(static_cast<py::ssize_t>(r), static_cast<py::ssize_t>(c)) = rows[r][c];
  return matrix;
}

py::dict DesignInputs(const Inputs& base, const py::object& uncertain, long long samples,
                      long long seed, double reliability, std::optional<double> requiredDepth,
                      int jobs, Cancel* cancel) {
  const Aim aim = AimOf(base).aim;
  DesignSettings settings = DesignSettingsOf(uncertain, base.aimCode, samples, seed, reliability);
  if (settings.uncertain.empty())
    Raise("InputError", Texts({"A design needs at least one uncertain input."}));
  if (requiredDepth && aim != Aim::FieldDepths)
    Raise("InputError", Texts({"A required depth is for the inputs of a rectangular field."}));
  settings.requiredDepth = requiredDepth;
  const TDMPumpfield dm = StudyBase(base);
  DesignRuns runs;
  if (!WithoutGil([&] { return RunDesign(dm, settings, runs, StudyRunOf(jobs, cancel)); }))
    Raise("Cancelled", "The design was cancelled.");
  const DesignSummary summary = SummariseDesign(aim, settings, runs);
  py::dict design = PythonOf(DesignJson(summary, base.aimCode));
  py::list symbols;
  for (const UncertainInput& input : settings.uncertain)
    symbols.append(py::str(input.input.symbol));
  std::vector<double> answers;
  for (size_t s = 0; s < settings.samples; ++s)
    answers.push_back(DesignAnswer(aim, runs.records[s]).value_or(NAN));
  design["sample_symbols"] = symbols;
  design["sample_inputs"] = Matrix(runs.samples, settings.uncertain.size());
  design["sample_answers"] = Array(answers);
  return design;
}

py::dict OptimiseInputs(const Inputs& base, std::pair<double, double> field, double requiredDepth,
                        double wellCost, double energyPrice, double years,
                        std::optional<std::pair<double, double>> wellLevel,
                        const py::object& uncertain, double reliability, long long samples,
                        long long seed, int jobs, Cancel* cancel) {
  if (AimOf(base).aim != Aim::FieldDepths)
    Raise("InputError",
          Texts({"The search needs the inputs of a rectangular field (aim \"Hydr\")."}));
  OptimiseSettings settings;
  std::tie(settings.length, settings.width) = field;
  settings.requiredDepth = requiredDepth;
  settings.wellCost = wellCost;
  settings.energyPrice = energyPrice;
  settings.years = years;
  std::tie(settings.levelMin, settings.levelMax) =
      wellLevel.value_or(std::pair{base.values[3], base.values[3]});
  if (!uncertain.is_none())
    settings.uncertainty = DesignSettingsOf(uncertain, base.aimCode, samples, seed, reliability);
  try {
    CheckOptimiseSettings(settings);
  } catch (const SweepUsageError& error) {
    Raise("InputError", Texts({error.what()}));
  }
  const TDMPumpfield dm = StudyBase(base);
  OptimiseResult result;
  if (!WithoutGil([&] { return OptimiseLayout(dm, settings, result, StudyRunOf(jobs, cancel)); }))
    Raise("Cancelled", "The search was cancelled.");
  py::dict optimised = PythonOf(OptimiseJson(result, !settings.uncertainty.uncertain.empty()));
  optimised["layouts_evaluated"] = result.layoutsEvaluated;
  optimised["layouts_in_range"] = result.layoutsInRange;
  return optimised;
}

std::string PathText(const std::filesystem::path& path) { return path.string(); }

} // namespace

PYBIND11_MODULE(_pumpfield, m) {
  m.doc() = "The compiled part of the pumpfield module; use `import pumpfield`.";
  m.attr("__version__") = PUMPFIELD_VERSION;

  py::class_<Cancel>(m, "Cancel", R"(A stop flag for runs and sweeps in other threads.

Pass it as ``cancel=`` to ``run`` or ``sweep``; ``cancel()`` from any thread stops them within a
fraction of a second, and they raise ``pumpfield.Cancelled``.)")
      .def(py::init<>())
      .def("cancel", &Cancel::Set, "Stops every run and sweep that uses this flag.")
      .def("is_set", &Cancel::IsSet, "True once cancel() was called.")
      .def("wait_started", &Cancel::WaitStarted, py::arg("count") = 1,
           "Blocks (without the GIL) until `count` runs or sweeps with this flag have started.");

  py::class_<Inputs>(m, "Inputs", R"(A parameter set: what an input file holds.

Values go by the symbols the aim's report prints for them (``inputs["Kb2"]`` or ``inputs.Kb2``;
``inputs.symbols`` lists them). ``Inputs(aim="Spa", R=0.003, ...)`` builds one from scratch;
``read_input(path)`` reads one. A run rounds each value as the input file holds it.)")
      .def(py::init([](const std::string& aim, const py::str& title1, const py::str& title2,
                       const py::kwargs& values) {
             Inputs inputs;
             SetAim(inputs, aim);
             inputs.title1 = StrToLatin1(title1, "The first title");
             inputs.title2 = StrToLatin1(title2, "The second title");
             for (const auto& [symbol, value] : values) {
               const std::string name = symbol.cast<std::string>();
               ValueOrKeyError(inputs, name) = NumberOf(value, name);
             }
             return inputs;
           }),
           py::arg("aim") = "Spa", py::arg("title1") = py::str(""), py::arg("title2") = py::str(""),
           R"(Inputs(aim="Spa", title1="", title2="", **values)

aim: "Spa" (well spacing), "Dis" (well discharge), "Hyd"/"Hydr" (water-table depths of a
rectangular well field) or "Con" (hydraulic conductivity); values by symbol, the others 0.)")
      .def_property(
          "aim", [](const Inputs& inputs) { return inputs.aimCode; }, &SetAim,
          "The aim code: \"Spa\", \"Dis\", \"Hyd\" or \"Hydr\", \"Con\".")
      .def_property(
          "title1", [](const Inputs& inputs) { return Latin1ToStr(inputs.title1); },
          [](Inputs& inputs, const py::str& text) {
            inputs.title1 = StrToLatin1(text, "The first title");
          },
          "The first title line.")
      .def_property(
          "title2", [](const Inputs& inputs) { return Latin1ToStr(inputs.title2); },
          [](Inputs& inputs, const py::str& text) {
            inputs.title2 = StrToLatin1(text, "The second title");
          },
          "The second title line.")
      .def_property(
          "file_name", [](const Inputs& inputs) { return inputs.fileName; },
          [](Inputs& inputs, const std::string& name) { inputs.fileName = name; },
          "The input file the report's lines 13 and 14 name (its report with \".out\").")
      .def_property(
          "values",
          [](const Inputs& inputs) {
            return std::vector<double>(inputs.values.begin(), inputs.values.end());
          },
          [](Inputs& inputs, const std::vector<double>& values) {
            if (values.size() != inputs.values.size())
              Raise("InputError", Texts({"An input file holds 14 values."}));
            std::copy(values.begin(), values.end(), inputs.values.begin());
          },
          "The 14 values in input-file order, whatever the aim reads of them.")
      .def_property_readonly(
          "symbols",
          [](const Inputs& inputs) {
            std::vector<std::string> symbols;
            for (const AimInput& input : AimOf(inputs).inputs)
              symbols.push_back(input.symbol);
            return symbols;
          },
          "The symbols of the aim's inputs, in input-file order.")
      .def(
          "__getitem__",
          [](Inputs& inputs, const std::string& symbol) { return ValueOrKeyError(inputs, symbol); },
          "The value of an input by its symbol.")
      .def(
          "__setitem__",
          [](Inputs& inputs, const std::string& symbol, py::handle value) {
            ValueOrKeyError(inputs, symbol) = NumberOf(value, symbol);
          },
          "Sets an input by its symbol.")
      .def("__contains__",
           [](Inputs& inputs, const std::string& symbol) {
             return ValueOf(inputs, symbol) != nullptr;
           })
      .def("__getattr__",
           [](Inputs& inputs, const std::string& name) {
             if (double* value = ValueOf(inputs, name))
               return *value;
             throw py::attribute_error("'Inputs' object has no attribute '" + name + "'");
           })
      .def("__setattr__",
           [](py::object self, const std::string& name, py::object value) {
             if (double* number = ValueOf(self.cast<Inputs&>(), name))
               *number = NumberOf(value, name);
             else
               ObjectSetattr()(self, name, value);
           })
      .def("__dir__",
           [](py::object self) {
             py::list names = py::module_::import("builtins").attr("object").attr("__dir__")(self);
             for (const AimInput& input : AimOf(self.cast<const Inputs&>()).inputs)
               names.append(input.symbol);
             return names;
           })
      .def("__eq__",
           [](const Inputs& a, const Inputs& b) {
             return a.aimCode == b.aimCode && a.title1 == b.title1 && a.title2 == b.title2 &&
                    a.values == b.values && a.fileName == b.fileName;
           })
      .def("__repr__",
           [](const Inputs& inputs) {
             std::string text = "Inputs(aim='" + inputs.aimCode + "'";
             for (const AimInput& input : AimOf(inputs).inputs)
               text += std::string(", ") + input.symbol + "=" +
                       PlainNumber(inputs.values[input.position - 1]);
             return text + ")";
           })
      .def(
          "copy", [](const Inputs& inputs) { return inputs; }, "An independent copy.")
      .def("__copy__", [](const Inputs& inputs) { return inputs; })
      .def("__deepcopy__", [](const Inputs& inputs, py::dict) { return inputs; })
      .def(
          "write",
          [](const Inputs& inputs, const std::filesystem::path& path) {
            WithoutGil([&] { pumpfield::WriteInput(inputs, ExpandFileName(PathText(path))); });
          },
          py::arg("path"),
          "Writes the input file exactly as the window saves it (\"Hyd\" as \"Hydr\"); the old "
          "file is replaced only once the new one is complete.")
      .def(py::pickle(&InputsState, &InputsOfState));

  py::class_<pumpfield::Profile>(m, "Profile",
                                 "One profile table of a report: its rows as NumPy arrays.")
      .def_readonly("name", &pumpfield::Profile::name,
                    "\"between the wells\", or for a rectangular field \"along the longer "
                    "spacing\", \"along the shorter spacing\", \"along the diagonal\".")
      .def_property_readonly(
          "x", [](const pumpfield::Profile& p) { return Array(p.x); },
          "Distance X (m), as printed.")
      .def_property_readonly(
          "head", [](const pumpfield::Profile& p) { return Array(p.head); }, "Head (m).")
      .def_property_readonly(
          "gradient", [](const pumpfield::Profile& p) { return Array(p.gradient); },
          "Gradient (-).")
      .def("__repr__", [](const pumpfield::Profile& p) {
        return "<Profile '" + p.name + "', " + std::to_string(p.x.size()) + " rows>";
      });

  py::class_<Result>(m, "Result", "What a run calculated: results, profiles and the report.")
      .def_property_readonly(
          "aim", [](const Result& r) { return r.aimCode; }, "The aim code of the inputs.")
      .def_property_readonly(
          "values",
          [](const Result& r) {
            py::dict values;
            for (const PrintedResult& printed : r.values)
              values[py::str(printed.symbol)] = printed.value;
            return values;
          },
          R"(The results by symbol, as the report prints them: spacing "S" (m), discharge "Q"
(m3/day), recharge "R" (discharge aim, m/day, over the circle of radius S/2), conductivity "K"
(m/day), midway head "H" and depth "Dm" (m); a rectangular field has "Ha", "Dma", "Hb", "Dmb",
"Hd", "Dmd" along the longer and shorter spacing and the diagonal.)")
      .def_property_readonly(
          "figures",
          [](const Result& r) {
            py::dict figures;
            for (const PrintedResult& printed : r.values)
              figures[py::str(printed.symbol)] = Latin1ToStr(printed.figure);
            return figures;
          },
          "The same results as the report's figures (texts such as \"103.33\").")
      .def_readonly("converged", &Result::converged,
                    "False when the search missed its tolerance (see note).")
      .def_property_readonly(
          "note", [](const Result& r) { return Latin1ToStr(r.note); },
          "Why the search missed its tolerance; empty when it converged.")
      .def_property_readonly(
          "profiles", [](const Result& r) { return r.profiles; },
          "The report's profile tables (Profile objects with x, head, gradient).")
      .def_property_readonly(
          "report", [](const Result& r) { return Latin1ToStr(r.report); },
          "The exact text of the .out report (CR LF line ends).")
      .def_property_readonly(
          "messages",
          [](const Result& r) {
            py::list messages;
            for (const std::string& message : r.messages)
              messages.append(Latin1ToStr(message));
            return messages;
          },
          "The messages the run showed.")
      .def_property_readonly(
          "square_share_recharge",
          [](const Result& r) { return OptionalNumber(SquareShareRecharge(ContentOf(r))); },
          "For the discharge aim the recharge over the well's square share of the field, Q/S² "
          "(m/day), beside the report's R over the circle of radius S/2; None for other aims.")
      .def_property_readonly(
          "achieved_depth",
          [](const Result& r) { return OptionalNumber(AchievedMidwayDepth(ContentOf(r))); },
          "The midway depth the final profile reaches, Dw minus its last head (m), where the "
          "report prints the required depth; None for a rectangular field.")
      .def(
          "write_report",
          [](const Result& r, const std::filesystem::path& path) {
            WithoutGil([&] {
              std::string errorText;
              if (!WriteWholeFile(PathText(path), r.report, errorText))
                throw InputOutputError(errorText);
            });
          },
          py::arg("path"), "Writes the report, replacing the old file only once it is complete.")
      .def("__repr__",
           [](const Result& r) {
             std::string text = "<Result " + r.aimCode;
             for (const PrintedResult& printed : r.values)
               text += " " + printed.symbol + "=" + printed.figure;
             return text + (r.converged ? "" : " not converged") + ">";
           })
      .def(py::pickle(&ResultState, &ResultOfState));

  m.def(
      "read_input",
      [](const std::filesystem::path& path) {
        return WithoutGil([&] { return pumpfield::ReadInput(PathText(path)); });
      },
      py::arg("path"),
      "Reads an input file into Inputs; InputError with the program's message when it cannot.");

  m.def("run", &RunInputs, py::arg("inputs"), py::arg("cancel") = nullptr,
        R"(Calculates the inputs in memory and returns a Result; nothing is read or written.

Raises InputError (``.messages``: the error list) when the inputs fail the aim's checks,
CalculationError on an arithmetic fault, Cancelled when ``cancel`` is set. The GIL is released
while it runs.)");

  m.def("sweep", &SweepInputs, py::arg("inputs"), py::arg("vary"), py::arg("jobs") = 0,
        py::arg("cancel") = nullptr,
        R"(Runs the inputs for every combination of the values in ``vary`` (symbol: values).

Returns one dict per point, keyed as the sweep CSV's columns: each varied input with its unit,
"status" ("ok", "not-converged", "input-errors", "arithmetic-error"), the aim's results with
units (None where there is none) and "first error message". ``jobs`` runs at a time (0: one per
processor); the rows are the same for any ``jobs``. The first symbol changes slowest.)");

  m.def("design", &DesignInputs, py::arg("inputs"), py::arg("uncertain"), py::arg("samples") = 1000,
        py::arg("seed") = 1, py::arg("reliability") = 0.9, py::arg("required_depth") = py::none(),
        py::arg("jobs") = 0, py::arg("cancel") = nullptr,
        R"(A design under uncertainty: the inputs run for Latin hypercube samples of ``uncertain``.

``uncertain`` maps symbols to distributions, as text (``"lognormal:8:1.5"``, ``"uniform:4:12"``,
``"triangular:LOW:MODE:HIGH"``, ``"normal:MEAN:SD"``) or as tuples (``("uniform", 4, 12)``).
Returns a dict with the keys of ``pumpfield-cli design --json``: aim, samples, seed, reliability,
failed_samples, design_value (the answer that holds with that reliability: spacing S, discharge
Q, the shallowest midway depth of a rectangular field, or conductivity K), percentiles (by "5",
"10", "50", "90", "95"), tornado (per input: symbol, low, high, swing, input_low, input_high,
rank_correlation) and for a rectangular field required_depth, probability_all and depths; None
where there is no number. Besides: sample_symbols, sample_inputs (a NumPy array, one row per
sample, a column per symbol) and sample_answers (the answer of each sample, NaN where a sample
failed). The same seed and samples give the same result for any ``jobs``. A bad distribution
raises InputError with the command line's text; the GIL is released while it runs.)");

  m.def("optimise", &OptimiseInputs, py::arg("inputs"), py::arg("field"), py::arg("required_depth"),
        py::arg("well_cost"), py::arg("energy_price") = 0.0, py::arg("years") = 0.0,
        py::arg("well_level") = py::none(), py::arg("uncertain") = py::none(),
        py::arg("reliability") = 0.9, py::arg("samples") = 100, py::arg("seed") = 1,
        py::arg("jobs") = 0, py::arg("cancel") = nullptr,
        R"(The cheapest well field for the inputs of a rectangular field.

``field`` is (length, width) in m, divided into nL x nB equal cells with a well in each;
``well_level`` (min, max) the water levels Dw tried in steps of 0.1 m (None: the inputs' Dw). A
layout is feasible when all three midway depths reach ``required_depth`` (with probability
``reliability`` over ``samples`` samples of ``uncertain``, given as for ``design``). The cost is
``well_cost`` per well plus ``energy_price`` per m3 and metre of lift of the field's recharge
for ``years`` years. Returns a dict with the keys of ``pumpfield-cli optimise --json``: the
cheapest layout's nL, nB, wells, Sa, Sb, Dw, depths, cost (and probability with uncertain
inputs; absent when no layout is feasible) and front, the layouts where fewer wells need a
deeper level; besides layouts_evaluated and layouts_in_range. The GIL is released while it runs.)");

  m.def("check", &CheckOfResult, py::arg("result"),
        R"(The independent check of a result by a numerical model of one well cell.

A dict with the keys of ``pumpfield-cli check --json``: midway_depth, centre_depth,
report_depth, difference, difference_of_drawdown, spacing_needed (spacing aim), flag,
screen_face_head, report_first_head (m and shares, unrounded), achieved_depth where the report
prints the required midway depth and recharge_over_square_share (Q/S², m/day) for a discharge. For a rectangular field the
per-line values are dicts by "longer_spacing", "shorter_spacing" and "diagonal".)");
}

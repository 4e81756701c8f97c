import json
import locale
import pickle
import shutil
import subprocess
import threading

import numpy as np
import pytest

import pumpfield
from conftest import EXAMPLES, example


def without_file_lines(report):
    """The report's lines, lines 13 and 14 (which name files) aside."""
    lines = report.split(b"\r\n")
    return lines[:12] + lines[14:]


@pytest.mark.parametrize("path", EXAMPLES, ids=lambda p: p.stem)
def test_report_equals_the_command_line(path, tmp_path, cli):
    copy = tmp_path / path.name
    shutil.copyfile(path, copy)
    subprocess.run([cli, "run", copy.name], cwd=tmp_path, check=True, capture_output=True)
    expected = (tmp_path / (path.stem + ".out")).read_bytes()
    result = pumpfield.run(pumpfield.read_input(copy))
    assert without_file_lines(result.report.encode("latin-1")) == without_file_lines(expected)
    result.write_report(tmp_path / "again.out")
    assert (tmp_path / "again.out").read_bytes() == result.report.encode("latin-1")


@pytest.mark.parametrize("path", EXAMPLES, ids=lambda p: p.stem)
def test_write_gives_the_file_back_under_a_decimal_comma(path, tmp_path):
    inputs = pumpfield.read_input(path)
    old = locale.setlocale(locale.LC_ALL)
    try:
        locale.setlocale(locale.LC_ALL, "de_DE.UTF-8")
    except locale.Error:
        pytest.skip("no de_DE.UTF-8 locale (LOCPATH)")
    try:
        assert locale.localeconv()["decimal_point"] == ","
        inputs.copy().write(tmp_path / "copy.inp")
    finally:
        locale.setlocale(locale.LC_ALL, old)
    lines = path.read_bytes().split(b"\r\n")
    # Line 3 names the file itself; the older code "Hyd" is written as "Hydr".
    lines[2] = b"File Name: " + bytes(tmp_path / "copy.inp")
    lines[3] = b"Hydr" if lines[3] == b"Hyd" else lines[3]
    assert (tmp_path / "copy.inp").read_bytes() == b"\r\n".join(lines)


def test_inputs_by_symbol_and_from_scratch(tmp_path, monkeypatch):
    inputs = pumpfield.read_input(example("spacing-loam-over-sand.inp"))
    assert inputs.aim == "Spa" and inputs.title1 == "Polder De Kolk, loam over fine sand"
    assert [inputs[s] for s in inputs.symbols] == [getattr(inputs, s) for s in inputs.symbols]
    copy = inputs.copy()
    copy.Kb2 = 4
    copy["Dm"] = 1.2
    assert (copy["Kb2"], copy.Dm, inputs.Kb2, inputs.Dm) == (4, 1.2, 8, 1.5)
    with pytest.raises(KeyError, match="its inputs are R, D1"):
        inputs["S"]
    with pytest.raises(AttributeError):
        inputs.Kb3 = 1
    built = pumpfield.Inputs(aim="Spa", title1=inputs.title1, title2=inputs.title2,
                             **{s: inputs[s] for s in inputs.symbols})
    built.file_name = inputs.file_name
    assert built == inputs
    assert pumpfield.run(built).report == pumpfield.run(inputs).report
    # As the window, which always has the full name.
    monkeypatch.chdir(tmp_path)
    built.write("built.inp")
    assert (tmp_path / "built.inp").read_bytes().split(b"\r\n")[2] == (
        b"File Name: " + bytes(tmp_path / "built.inp"))
    with pytest.raises(pumpfield.InputError):
        pumpfield.Inputs(aim="Xyz")
    with pytest.raises(pumpfield.InputError, match="no number"):
        pumpfield.Inputs(R="wet")


def test_result_values_profiles_and_meanings():
    result = pumpfield.run(pumpfield.read_input(example("discharge-loam-over-sand.inp")))
    inputs = pumpfield.read_input(example("discharge-loam-over-sand.inp"))
    assert result.converged and result.note == ""
    assert set(result.values) == {"R", "Q", "H", "Dm"}
    profile = result.profiles[0]
    assert profile.name == "between the wells"
    assert all(isinstance(a, np.ndarray) and len(a) == len(profile.x)
               for a in (profile.x, profile.head, profile.gradient))
    assert result.achieved_depth == pytest.approx(inputs.Dw - profile.head[-1], abs=1e-9)
    assert result.square_share_recharge == pytest.approx(result.values["Q"] / inputs.S**2, rel=2e-3)
    # Over the circle of radius S/2 the same discharge is the larger intensity.
    assert result.values["R"] == pytest.approx(result.square_share_recharge * 4 / np.pi, rel=2e-3)
    field = pumpfield.run(pumpfield.read_input(example("field-rectangular.inp")))
    assert [p.name for p in field.profiles] == [
        "along the longer spacing", "along the shorter spacing", "along the diagonal"]
    assert field.achieved_depth is None and field.square_share_recharge is None


def spacing_inputs(numbers):
    names = ["R", "D1", "D2", "Dw", "Db", "E", "W", "Ka", "Kb1", "Kv1", "Kb2", "Kv2", "Dm"]
    return pumpfield.Inputs(aim="Spa", **dict(zip(names, numbers)))


def test_errors_carry_the_programs_texts():
    with pytest.raises(pumpfield.InputError) as raised:
        pumpfield.run(spacing_inputs([0, 15, 18, 2.5, 12, -1, 0.3, 0.8, 0.6, 0.15, 8, 2.5, 1.5]))
    assert raised.value.messages == ["Make sure that R > 0.", "Make sure that E >= 0."]
    with pytest.raises(pumpfield.CalculationError, match="Floating point division by zero") as raised:
        pumpfield.run(spacing_inputs([0.003, 15, 18, 2.5, 12, 0, 0.3, 0.8, 0.6, 0, 8, 2.5, 1.5]))
    assert " Output data:\r\n The calculation stopped" in raised.value.report
    unconverged = pumpfield.run(spacing_inputs([0.01, 5, 5, 2, 4, 0, 0.3, 0.02, 0.02, 0.02, 0, 0, 1.9]))
    assert not unconverged.converged
    assert unconverged.note.startswith("The required midway watertable depth was not")
    with pytest.raises(pumpfield.InputError, match="could not be opened") as raised:
        pumpfield.read_input("/nonexistent/none.inp")
    assert len(raised.value.messages) == 1
    with pytest.raises(pumpfield.InputError):
        pumpfield.Inputs(title1="cost in \u20ac")


def test_sweep_rows_are_the_runs_of_their_points():
    base = pumpfield.read_input(example("spacing-loam-over-sand.inp"))
    rows = pumpfield.sweep(base, {"Kb2": [2, 12.004], "Dm": 1.0}, jobs=2)
    assert list(rows[0]) == ["Kb2 (m/day)", "Dm (m)", "status", "spacing (m)", "first error message"]
    assert [(r["Kb2 (m/day)"], r["Dm (m)"]) for r in rows] == [(2, 1), (12, 1)]
    for row in rows:
        point = base.copy()
        point.Kb2, point.Dm = row["Kb2 (m/day)"], row["Dm (m)"]
        assert row["status"] == "ok"
        assert row["spacing (m)"] == pumpfield.run(point).values["S"]
    assert pumpfield.sweep(base, {"Kb2": [2, 12.004], "Dm": 1.0}, jobs=1) == rows
    failed = pumpfield.sweep(base, {"R": [0]})[0]
    assert (failed["status"], failed["spacing (m)"], failed["first error message"]) == (
        "input-errors", None, "Make sure that R > 0.")
    with pytest.raises(pumpfield.InputError, match="is no input of the aim"):
        pumpfield.sweep(base, {"S": [1, 2]})


def test_inputs_results_and_errors_pickle():
    inputs = pumpfield.read_input(example("field-rectangular.inp"))
    inputs.title2 = "Zuid\u00e9 polder"
    assert pickle.loads(pickle.dumps(inputs)) == inputs
    result = pumpfield.run(inputs)
    again = pickle.loads(pickle.dumps(result))
    assert (again.report, again.values, again.converged) == (result.report, result.values, True)
    assert all(np.array_equal(a.head, b.head) for a, b in zip(again.profiles, result.profiles))
    error = pickle.loads(pickle.dumps(pumpfield.InputError(["a", "b"])))
    assert error.messages == ["a", "b"] and str(error) == "a\nb"


def test_a_run_releases_the_gil():
    # The main thread can only cancel the run under way in the other thread while that run
    # does not hold the GIL; a run that held it would end whole before the flag was set.
    inputs = pumpfield.read_input(example("conductivity-observed-field.inp"))
    cancel = pumpfield.Cancel()
    outcome = []

    def run():
        try:
            outcome.append(pumpfield.run(inputs, cancel=cancel))
        except pumpfield.Cancelled as cancelled:
            outcome.append(cancelled)

    thread = threading.Thread(target=run)
    thread.start()
    cancel.wait_started()
    cancel.cancel()
    thread.join()
    assert isinstance(outcome[0], pumpfield.Cancelled)


def test_check_gives_the_command_lines_values(tmp_path, cli):
    for name in ("spacing-loam-over-sand", "field-rectangular"):
        result = pumpfield.run(pumpfield.read_input(example(name + ".inp")))
        values = pumpfield.check(result)
        result.write_report(tmp_path / (name + ".out"))
        subprocess.run([cli, "check", name + ".out", "--json", "c.json"], cwd=tmp_path,
                       check=True, capture_output=True)
        expected = json.loads((tmp_path / "c.json").read_text())
        assert list(values) == list(expected)[1:]
        for key, value in values.items():
            # The JSON rounds to 4 decimals, the spacing to 2.
            tolerance = 0.005 if key == "spacing_needed" else 0.00005
            assert value == pytest.approx(expected[key], abs=tolerance), key


def test_help_shows_the_docstrings():
    assert "GIL" in pumpfield.run.__doc__
    assert "symbols" in pumpfield.Inputs.__doc__
    assert "square share" in pumpfield.Result.square_share_recharge.__doc__
    assert pumpfield.__version__.count(".") >= 1

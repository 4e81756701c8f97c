import json
import subprocess

import numpy as np
import pytest

import pumpfield
from conftest import example

DESIGNS = [
    # file, uncertain as the command line writes them, as given to Python, required depth,
    # samples (a run of one well takes longer than one of a rectangular field)
    ("spacing-loam-over-sand", ["Kb2=lognormal:8:1.5", "Dm=uniform:1.2:1.8"],
     {"Kb2": "lognormal:8:1.5", "Dm": ("uniform", 1.2, 1.8)}, None, 8),
    ("field-rectangular", ["R=triangular:0.002:0.003:0.0045", "Kb2=normal:12:2"],
     {"R": ("triangular", 0.002, 0.003, 0.0045), "Kb2": "normal:12:2"}, 1.0, 40),
]


@pytest.mark.parametrize("name, texts, uncertain, depth, samples", DESIGNS,
                         ids=[d[0] for d in DESIGNS])
def test_design_equals_the_command_line(name, texts, uncertain, depth, samples, tmp_path, cli):
    arguments = [cli, "design", str(example(name + ".inp")), "--samples", str(samples),
                 "--seed", "7", "--json", "d.json"]
    arguments += [a for text in texts for a in ("--uncertain", text)]
    arguments += ["--required-depth", str(depth)] if depth else []
    subprocess.run(arguments, cwd=tmp_path, check=True, capture_output=True)
    expected = json.loads((tmp_path / "d.json").read_text())

    design = pumpfield.design(pumpfield.read_input(example(name + ".inp")), uncertain,
                              samples=samples, seed=7, required_depth=depth, jobs=2)
    drawn = {key: design.pop(key) for key in ("sample_symbols", "sample_inputs", "sample_answers")}
    assert design == expected
    assert drawn["sample_symbols"] == list(uncertain)
    assert drawn["sample_inputs"].shape == (samples, 2)
    answers = drawn["sample_answers"][~np.isnan(drawn["sample_answers"])]
    assert len(answers) == samples - expected["failed_samples"]
    assert np.percentile(answers, 50) == pytest.approx(expected["percentiles"]["50"], abs=0.006)


def test_optimise_equals_the_command_line(tmp_path, cli):
    subprocess.run([cli, "optimise", str(example("field-rectangular.inp")), "--field", "720x440",
                    "--required-depth", "1.0", "--well-cost", "5000", "--energy-price", "0.01",
                    "--years", "10", "--well-level", "2.5:2.8", "--uncertain",
                    "R=uniform:0.0025:0.0035", "--samples", "4", "--json", "o.json"],
                   cwd=tmp_path, check=True, capture_output=True)
    expected = json.loads((tmp_path / "o.json").read_text())

    optimised = pumpfield.optimise(
        pumpfield.read_input(example("field-rectangular.inp")), field=(720, 440),
        required_depth=1.0, well_cost=5000, energy_price=0.01, years=10, well_level=(2.5, 2.8),
        uncertain={"R": ("uniform", 0.0025, 0.0035)}, samples=4)
    assert optimised.pop("layouts_evaluated") <= optimised.pop("layouts_in_range")
    assert optimised == expected and "probability" in optimised


@pytest.mark.parametrize("text, given", [
    ("Kb2=lognormal:8", "lognormal:8"),
    ("Kb2=uniform:12:4", ("uniform", 12, 4)),
    ("Zz=normal:1:2", "normal:1:2"),
])
def test_a_bad_distribution_raises_the_command_lines_text(text, given, cli):
    run = subprocess.run([cli, "design", str(example("spacing-loam-over-sand.inp")),
                          "--uncertain", text], capture_output=True, text=True)
    assert run.returncode == 64
    message = run.stderr.splitlines()[0].removeprefix("pumpfield-cli design: ")
    name = text.split("=")[0]
    with pytest.raises(pumpfield.InputError) as raised:
        pumpfield.design(pumpfield.read_input(example("spacing-loam-over-sand.inp")),
                         {name: given}, samples=40)
    assert raised.value.messages == [message]


def test_study_arguments_outside_their_range_raise_input_error():
    spacing = pumpfield.read_input(example("spacing-loam-over-sand.inp"))
    field = pumpfield.read_input(example("field-rectangular.inp"))
    calls = [
        lambda: pumpfield.design(spacing, {"Kb2": "lognormal:8:1.5"}, samples=1),
        lambda: pumpfield.design(spacing, {"Kb2": "lognormal:8:1.5"}, reliability=1),
        lambda: pumpfield.design(spacing, {}),
        lambda: pumpfield.design(spacing, {"Kb2": "lognormal:8:1.5"}, required_depth=1.0),
        lambda: pumpfield.optimise(spacing, (720, 440), 1.0, 5000),
        lambda: pumpfield.optimise(field, (720, 0), 1.0, 5000),
        lambda: pumpfield.optimise(field, (720, 440), 1.0, 5000, uncertain={"Dw": "normal:3:1"}),
    ]
    for call in calls:
        with pytest.raises(pumpfield.InputError):
            call()

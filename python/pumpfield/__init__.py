"""Pumpfield from Python: subsurface drainage by a field of pumped wells.

Read or build a parameter set (``read_input``, ``Inputs``), calculate it (``run``), vary some of
its inputs over a grid (``sweep``), check the result against an independent numerical model
of one well cell (``check``), design under uncertain inputs (``design``) and find the cheapest
well field (``optimise``). Every calculation is the program's own, so a report equals the one
the window and the command line write. Runs release the GIL; ``Inputs`` and ``Result`` pickle.
"""

from .errors import CalculationError, Cancelled, InputError, PumpfieldError
from . import _pumpfield
from ._pumpfield import Cancel, Inputs, Profile, Result, __version__

for _class in (Cancel, Inputs, Profile, Result):
    _class.__module__ = __name__


# The functions are plain Python ones around the compiled ones, so that pickle (and with it a
# process pool or a cluster) can name them.
def read_input(path):
    return _pumpfield.read_input(path)


def run(inputs, cancel=None):
    return _pumpfield.run(inputs, cancel)


def sweep(inputs, vary, jobs=0, cancel=None):
    return _pumpfield.sweep(inputs, vary, jobs, cancel)


def check(result):
    return _pumpfield.check(result)


def design(inputs, uncertain, samples=1000, seed=1, reliability=0.9, required_depth=None, jobs=0,
           cancel=None):
    return _pumpfield.design(inputs, uncertain, samples, seed, reliability, required_depth, jobs,
                             cancel)


def optimise(inputs, field, required_depth, well_cost, energy_price=0.0, years=0.0,
             well_level=None, uncertain=None, reliability=0.9, samples=100, seed=1, jobs=0,
             cancel=None):
    return _pumpfield.optimise(inputs, field, required_depth, well_cost, energy_price, years,
                               well_level, uncertain, reliability, samples, seed, jobs, cancel)


for _function in (read_input, run, sweep, check, design, optimise):
    _function.__doc__ = getattr(_pumpfield, _function.__name__).__doc__.split("\n", 1)[1].strip()

__all__ = [
    "__version__",
    "Cancel",
    "CalculationError",
    "Cancelled",
    "Inputs",
    "InputError",
    "Profile",
    "PumpfieldError",
    "Result",
    "check",
    "design",
    "optimise",
    "read_input",
    "run",
    "sweep",
]

"""Pumpfield from Python: subsurface drainage by a field of pumped wells.

Read or build a parameter set (``read_input``, ``Inputs``), calculate it (``run``), vary some of
its inputs over a grid (``sweep``) and check the result against an independent numerical model
of one well cell (``check``). Every calculation is the program's own, so a report equals the one
the window and the command line write. Runs release the GIL; ``Inputs`` and ``Result`` pickle.
"""

from .errors import CalculationError, Cancelled, InputError, PumpfieldError
from ._pumpfield import (
    Cancel,
    Inputs,
    Profile,
    Result,
    __version__,
    check,
    read_input,
    run,
    sweep,
)

for _class in (Cancel, Inputs, Profile, Result):
    _class.__module__ = __name__

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
    "read_input",
    "run",
    "sweep",
]

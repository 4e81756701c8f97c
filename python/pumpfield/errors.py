"""The exceptions of the pumpfield module. They pickle with their details, so that a process
pool or a cluster hands them back whole."""


class PumpfieldError(Exception):
    """Base class of every exception the module raises."""


class InputError(PumpfieldError):
    """The inputs cannot be calculated, or a file cannot be read or written.

    ``messages`` is the list of errors as the program's error list gives them (one message for a
    file that cannot be read or written)."""

    def __init__(self, messages, text=None):
        self.messages = list(messages)
        super().__init__(text if text is not None else "\n".join(self.messages))

    def __reduce__(self):
        return (type(self), (self.messages, str(self)))


class CalculationError(PumpfieldError):
    """An arithmetic fault stopped the calculation; ``report`` holds what the report had
    written until then."""

    def __init__(self, text, report=""):
        self.report = report
        super().__init__(text)

    def __reduce__(self):
        return (type(self), (str(self), self.report))


class Cancelled(PumpfieldError):
    """The run or sweep was stopped through its ``Cancel`` token."""

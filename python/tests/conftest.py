import os
import pathlib

import pytest

SOURCE_DIR = pathlib.Path(os.environ.get("PUMPFIELD_SOURCE_DIR", pathlib.Path(__file__).parents[2]))
EXAMPLES = sorted((SOURCE_DIR / "Data").glob("*.inp")) + sorted(
    (SOURCE_DIR / "tests" / "fixtures" / "golden").glob("*.inp")
)


@pytest.fixture
def cli():
    path = os.environ.get("PUMPFIELD_CLI")
    if not path:
        pytest.skip("PUMPFIELD_CLI names no command-line runner")
    return path


def example(name):
    return SOURCE_DIR / "Data" / name

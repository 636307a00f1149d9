"""What the module's tests share: the built CLI, run as a process, and a strict
comparison of the module's documents with the CLI's JSON."""
import json
import os
import pathlib
import subprocess

import pytest

ROOT = pathlib.Path(__file__).resolve().parents[2]
CLI = os.environ.get("COREDESIGN_CLI", str(ROOT / "build" / "bin" / "coredesign-cli"))


def cli_args(options):
    """The CLI's arguments for the module's keywords (texts as os.fsencode writes them)."""
    args = []
    for name, value in options.items():
        if value is None:
            continue
        # The floats of the tests are written alike by repr and the module's shortest round trip.
        text = value if isinstance(value, str) else repr(value) if isinstance(value, float) else str(value)
        args += ["--" + name.replace("_", "-"), text]
    return args


def run_cli(*args):
    """The CLI's exit status, standard output (bytes) and standard error (text)."""
    done = subprocess.run([CLI, *args], capture_output=True, env=cli_environment())
    return done.returncode, done.stdout, done.stderr.decode("utf-8", "surrogateescape")


def cli_environment():
    return {k: v for k, v in os.environ.items() if k != "COREDESIGN_CLI"}


def cli_json(*args):
    """The CLI's JSON document for these arguments, its texts read as the module reads them."""
    status, out, err = run_cli(*args)
    assert status in (0, 1), err
    return json.loads(out.decode("utf-8", "surrogateescape"))


def assert_same(mine, theirs, where="document"):
    """The module's value is the CLI's: the same keys in the same order, bool
    only for true/false, None only for null, and each number the same double
    (the CLI writes a whole figure without a point, which json reads as int)."""
    if isinstance(theirs, dict):
        assert isinstance(mine, dict), where
        assert list(mine) == list(theirs), where
        for key in theirs:
            assert_same(mine[key], theirs[key], f"{where}[{key!r}]")
    elif isinstance(theirs, list):
        assert isinstance(mine, list) and len(mine) == len(theirs), where
        for k, (a, b) in enumerate(zip(mine, theirs)):
            assert_same(a, b, f"{where}[{k}]")
    elif isinstance(theirs, bool) or theirs is None or isinstance(theirs, str):
        assert type(mine) is type(theirs) and mine == theirs, f"{where}: {mine!r} != {theirs!r}"
    elif isinstance(theirs, int):
        assert type(mine) in (int, float) and not isinstance(mine, bool) and mine == theirs, f"{where}: {mine!r}"
    else:
        assert type(mine) is float and mine == theirs, f"{where}: {mine!r} != {theirs!r}"


@pytest.fixture(autouse=True)
def same_temporary_folder(monkeypatch, tmp_path_factory):
    """The record names the temporary folder: the module and the CLI read the same one."""
    monkeypatch.setenv("TEMP", str(tmp_path_factory.getbasetemp()))

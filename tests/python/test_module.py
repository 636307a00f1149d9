"""The module as a library: what it refuses and with which message, calls
from many threads at once, its stub, its version, the report's pictures in
the installed layout, and the other Python on the path."""
import ast
import concurrent.futures
import doctest
import os
import pathlib
import shutil
import subprocess
import sys

import pytest

import coredesign
from conftest import ROOT, run_cli

NOT_UTF8 = "needs a text that UTF-8 can carry (a lone surrogate other than an escaped byte cannot be)"
REFUSALS = [
    # function, keywords, message (None: the CLI's for the same options, which it must refuse too)
    (coredesign.design, {"inductance_unit": "henry"}, None),
    (coredesign.design, {"frequency_unit": "MHz"}, None),
    (coredesign.design, {"family": "NoGap"}, None),
    (coredesign.design, {"pick": "6230TXNG"}, None),  # a no-gap part in the gapped family
    (coredesign.design, {"family": "nogap", "pick": "6218TXGP<b>"}, None),
    (coredesign.curve, {"points": 1}, None),
    (coredesign.curve, {"points": "10002"}, None),
    (coredesign.curve, {"points": float("nan")}, None),
    (coredesign.curve, {"points": " 5"}, None),
    (coredesign.explore, {"pick": "6218TXGP"}, None),
    (coredesign.design, {"inductance_unit": "Henry\0"}, "unknown inductance unit 'Henry\\x00' (Henry, millihenry or microhenry)"),
    (coredesign.design, {"colour": "red"}, "unknown option 'colour'"),
    (coredesign.design, {"dc-current": "3"}, "unknown option 'dc-current'"),
    (coredesign.design, {"\ud800": "3"}, "unknown option '\\ud800'"),
    (coredesign.design, {"points": 5}, "option 'points' does not go with design() (it chooses what the command line prints or writes)"),
    (coredesign.explore, {"points": 5}, "option 'points' does not go with explore() (it chooses what the command line prints or writes)"),
    (coredesign.spice, {"json": True}, "option 'json' does not go with design() (it chooses what the command line prints or writes)"),
    (coredesign.report_html, {"report": "r.htm"}, "option 'report' does not go with design() (it chooses what the command line prints or writes)"),
    (coredesign.curve, {"curve": True}, "option 'curve' does not go with curve() (it chooses what the command line prints or writes)"),
    (coredesign.design, {"dc_current": [3.5]}, "option --dc-current needs a text or a number, not list"),
    (coredesign.design, {"dc_current": {"a": 1}}, "option --dc-current needs a text or a number, not dict"),
    (coredesign.design, {"stack": True}, "option --stack needs a text or a number, not bool"),
    (coredesign.design, {"dc_current": b"3.5"}, "option --dc-current needs a text or a number, not bytes"),
    (coredesign.curve, {"points": 3j}, "option --points needs a text or a number, not complex"),
    (coredesign.design, {"dc_current": "\ud800"}, "option --dc-current " + NOT_UTF8),
    (coredesign.design, {"pick": "\udfff"}, "option --pick " + NOT_UTF8),
]


def test_refusals_raise_value_error_with_the_clis_message():
    for function, options, message in REFUSALS:
        with pytest.raises(ValueError) as refused:
            function(**options)
        if message is None:
            args = ["--explore"] if function is coredesign.explore else ["--curve"] if "points" in options else []
            for name, value in options.items():
                args += ["--" + name.replace("_", "-"), value if isinstance(value, str) else repr(value)]
            status, out, err = run_cli(*args)
            assert status == 2 and out == b"", args
            message = err.splitlines()[0].removeprefix("coredesign-cli: ")
        assert str(refused.value) == message, options
    assert coredesign.design()["outcome"] == "results"  # and the interpreter goes on


def test_calls_from_many_threads_give_what_calls_one_after_another_give():
    calls = [(coredesign.design, {"dc_current": 1 + k / 4, "stack": 1 + k % 3}) for k in range(24)]
    calls += [(coredesign.explore, {"family": "nogap", "dc_current": k}) for k in (2, 4)]
    calls += [(coredesign.curve, {"dc_current": k, "points": 50}) for k in (1, 3)]
    calls += [(coredesign.spice, {"pick": "6230TXGP"}), (coredesign.report_html, {"stack": 2})]
    calls += [(coredesign.design, {"dc_current": "oops"}), (coredesign.design, {"pick": "none"})]

    def call(entry):
        function, options = entry
        try:
            return function(**options)
        except ValueError as e:
            return ("ValueError", str(e))

    one_after_another = [call(entry) for entry in calls]
    with concurrent.futures.ThreadPoolExecutor(max_workers=8) as pool:
        for _ in range(3):
            assert list(pool.map(call, calls * 2)) == one_after_another * 2


def test_the_stub_declares_what_the_module_holds():
    stub = pathlib.Path(coredesign.__file__).with_name("coredesign.pyi")
    tree = ast.parse(stub.read_text())
    declared = {node.name for node in tree.body if isinstance(node, ast.FunctionDef)}
    public = {name for name in dir(coredesign) if not name.startswith("_") and callable(getattr(coredesign, name))}
    assert declared == public
    for name in public:
        assert getattr(coredesign, name).__doc__.startswith(name + "("), name
        assert "Example:" in getattr(coredesign, name).__doc__, name
    # The docstrings' examples give what they say.
    finder, runner = doctest.DocTestFinder(), doctest.DocTestRunner(optionflags=doctest.ELLIPSIS)
    tests = [test for test in finder.find(coredesign, globs={"coredesign": coredesign}) if test.examples]
    assert sorted(test.name for test in tests) == sorted(["coredesign"] + [f"coredesign.{n}" for n in public])
    for test in tests:
        runner.run(test, out=lambda text: None)
    assert runner.summarize(verbose=False).failed == 0
    status, out, _ = run_cli("--version")
    assert out.decode().split("\n")[0].endswith(" " + coredesign.__version__)


def test_the_installed_module_finds_the_pictures_beside_the_installed_programs(tmp_path):
    # The package's layout: the module in lib/python3/dist-packages, the
    # programs and pictures in libexec/coredesign.
    modules = tmp_path / "usr/lib/python3/dist-packages"
    programs = tmp_path / "usr/libexec/coredesign"
    modules.mkdir(parents=True)
    programs.mkdir(parents=True)
    shutil.copy(coredesign.__file__, modules)
    pictures = pathlib.Path(run_cli_folder())
    for picture in ("kes_logo.gif", "coregap.gif", "corenogap.gif"):
        shutil.copy(pictures / picture, programs)
    script = "import coredesign, sys; sys.stdout.buffer.write(coredesign.report_html(family='nogap'))"
    installed = subprocess.run([sys.executable, "-c", script], capture_output=True, check=True,
                               env={**os.environ, "PYTHONPATH": str(modules)}).stdout
    built = coredesign.report_html(family="nogap")
    for picture in ("kes_logo.gif", "corenogap.gif"):
        assert f"src=file://{programs}/{picture}".encode() in installed
        assert f"src=file://{pictures}/{picture}".encode() in built
    assert installed.replace(str(programs).encode(), str(pictures).encode()) == built
    # Without the pictures the report refers to none.
    for picture in programs.iterdir():
        picture.unlink()
    bare = subprocess.run([sys.executable, "-c", script], capture_output=True, check=True,
                          env={**os.environ, "PYTHONPATH": str(modules)}).stdout
    assert b"file://" not in bare and bare.startswith(b"<")


def run_cli_folder():
    from conftest import CLI
    return os.path.dirname(os.path.realpath(CLI))


def test_the_first_python_on_the_path_imports_the_module_too():
    first = shutil.which("python3")
    script = "import coredesign; print(coredesign.design()['record']['CoreSize'])"
    done = subprocess.run([first, "-c", script], capture_output=True, text=True,
                          env={**os.environ, "PYTHONPATH": os.path.dirname(coredesign.__file__)})
    assert (done.returncode, done.stdout) == (0, "6218TXGP\n"), (first, done.stderr)

"""The module's documents, texts and bytes are the CLI's for the same options:
design() the --json document, explore() --explore, curve() the curve key,
spice() the --spice file and report_html() the --report file."""
import fractions

import numpy
import pytest

import coredesign
from conftest import assert_same, cli_args, cli_json, run_cli

# Designs that end in each way, and texts a script might hand in.
DESIGNS = [
    {},
    {"family": "nogap"},
    {"family": "nogap", "pick": "6230TXNG", "stack": "3"},
    {"pick": "6205TXGP", "stack": 2, "ambient_temp": 150},
    {"dc_current": "-1"},  # refused by its input check
    {"frequency": "1e-300"},  # figures that overflow: None
    {"inductance": 318, "inductance_unit": "microhenry", "frequency": 50, "frequency_unit": "kHz"},
    {"inductance": 0.000318, "dc_current": 3.5},  # floats as their round-trip texts
    {"dc_current": float("nan")},
    {"output_voltage": float("inf"), "dc_current": float("-inf")},
    {"stack": 10**30},
    {"dc_current": " 3.5 ", "flux_density": "&H1", "fill_factor": "4D-1"},
    {"dc_current": "3.5\r\n\t", "inductance": "318µ", "ambient_temp": "35°C"},
    {"dc_current": "\udcff\udc80"},  # bytes that are not UTF-8, as Python escapes them
    {"pick": "6230TXGP", "dc_current": "3.5 <b>&amp;"},  # echoed into the report
    {"output_voltage": "1" * 100_000},
]


@pytest.mark.parametrize("options", DESIGNS, ids=lambda o: repr(o)[:60])
def test_design_curve_spice_and_report_are_the_clis(options, tmp_path):
    args = cli_args(options)
    document = coredesign.design(**options)
    assert_same(document, cli_json("--json", *args))

    assert_same(coredesign.curve(points=7, **options), cli_json("--json", "--curve", "--points", "7", *args)["curve"])

    report, model = tmp_path / "report.htm", tmp_path / "model.lib"
    run_cli("--report", str(report), "--spice", str(model), *args)
    expected_report = report.read_bytes() if report.exists() else None
    assert coredesign.report_html(**options) == expected_report
    assert (expected_report is not None) == (document["outcome"] == "results")
    expected_model = model.read_text("utf-8", "surrogateescape") if model.exists() else None
    assert coredesign.spice(**options) == expected_model
    assert (expected_model is not None) == (document["outcome"] in ("results", "fill_warning"))


def test_explore_is_the_clis():
    for options in [{}, {"family": "nogap", "inductance": 318, "inductance_unit": "microhenry", "stack": 2}]:
        assert_same(coredesign.explore(**options), cli_json("--explore", *cli_args(options)))


def test_texts_the_command_line_cannot_carry():
    # A NUL and a text of ten million characters: the checks refuse them as
    # the field would, and a None leaves an option out.
    for text, field in [("3.5\0", "dc_current"), ("\0", "stack"), ("5" * 10_000_000, "frequency")]:
        document = coredesign.design(**{field: text})
        assert document["outcome"] == "validation"
        assert document["messages"][0]["id"] == {"dc_current": "dc_current", "stack": "stack"}.get(field, "frequency")
    assert coredesign.design(dc_current=None, pick=None) == coredesign.design()
    # A number is its text: NumPy's scalars and other numbers as the float they convert to.
    assert coredesign.design(stack=numpy.int64(2), dc_current=numpy.float64(3.5)) == coredesign.design(
        stack="2", dc_current="3.5")
    assert coredesign.design(dc_current=numpy.float32(3.5), inductance=fractions.Fraction(159, 500000)) == \
        coredesign.design(dc_current="3.5", inductance="0.000318")
    # A float is its shortest round-trip text: a whole one without a point,
    # the exponent form where it is shorter.
    for number, text in [(0.1, "0.1"), (50000.0, "50000"), (1e-05, "1e-05"), (2e21, "2e+21"), (-0.0, "-0")]:
        assert coredesign.design(frequency=number) == coredesign.design(frequency=text), number

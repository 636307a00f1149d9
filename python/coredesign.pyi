"""The Output Inductor Core Design Tool's engine from Python.

Each call is one command line of coredesign-cli: a freshly loaded input
screen, the options typed into it, one Show Results. Keywords are the
command line's options with "_" for "-"; a value is a str (taken exactly), a
number (written as its shortest round-trip text) or None (the option left out).
Anything the command line refuses raises ValueError with its message.
"""

import os
from typing import Any, Literal, Optional, SupportsFloat, SupportsIndex, TypedDict, Union

from typing_extensions import Unpack

__version__: str

# A field text: taken exactly, or a number written as its shortest round-trip text.
_Text = Union[str, SupportsFloat, SupportsIndex, None]

class ExploreOptions(TypedDict, total=False):
    """The design's inputs, in their units; the defaults are the input screen's."""

    inductance: _Text  # txtInductance, in inductance_unit (".000318")
    inductance_unit: Optional[Literal["Henry", "millihenry", "microhenry"]]
    output_voltage: _Text  # V ("10")
    dc_current: _Text  # A ("3.5")
    flux_density: _Text  # T ("1.2"; "0.8" with family="nogap")
    frequency: _Text  # in frequency_unit ("50000")
    frequency_unit: Optional[Literal["Hz", "kHz"]]
    min_input_voltage: _Text  # V ("24")
    max_input_voltage: _Text  # V ("50")
    ambient_temp: _Text  # degC ("35")
    current_density: _Text  # A/cm^2 ("400")
    fill_factor: _Text  # (".4")
    stack: _Text  # cores stacked ("1")
    family: Optional[Literal["gapped", "nogap"]]  # 100 Perm or 245 Perm ("gapped")

class DesignOptions(ExploreOptions, total=False):
    pick: Optional[str]  # Pick Core with this part number; without it Calculate Core
    design: Union[str, bytes, "os.PathLike[str]", "os.PathLike[bytes]", None]  # the design file the run starts from

class CurveOptions(DesignOptions, total=False):
    points: Union[str, SupportsIndex, None]  # currents of the grid, 2 to 10001 (101)

def design(**options: Unpack[DesignOptions]) -> dict[str, Any]:
    """One design: the document of coredesign-cli --json as a dict.

    Keys in the CLI's order: outcome, messages, record (the design record's
    fields by name, in its units: H, V, A, T, Hz, W, degC, cm), results_screen
    and intermediate_screen (texts by control name, or None). Figures are
    float (None when not finite), 16-bit fields int, flags bool.

    >>> design(inductance=318, inductance_unit="microhenry")["record"]["CoreSize"]
    '6218TXGP'
    """

def explore(**options: Unpack[ExploreOptions]) -> dict[str, Any]:
    """Every core and stack compared: the document of coredesign-cli --explore.

    "calculate_core" (each family's Calculate Core run) and "rows" (family,
    part, stack, outcome, temperature_alarm, fits, pareto, volume_cm3 in cm^3,
    record). stack sets only the Calculate Core runs' stack.
    """

def curve(**options: Unpack[CurveOptions]) -> Optional[dict[str, Any]]:
    """Inductance against current: the "curve" of coredesign-cli --curve --json.

    points: [current A, H Oe, mu_eff, inductance uH] from 0 to twice the peak
    current, and the operating point; None when the run produced no design.
    """

def spice(**options: Unpack[DesignOptions]) -> Optional[str]:
    """The SPICE subcircuit of the designed choke (coredesign-cli --spice), or None without a design."""

def report_html(**options: Unpack[DesignOptions]) -> Optional[bytes]:
    """The design report's bytes (coredesign-cli --report), or None off the results screen."""

def load_design(path: Union[str, bytes, "os.PathLike[str]", "os.PathLike[bytes]"]) -> dict[str, str]:
    """The options of a design file, as keywords with str values."""

def save_design(path: Union[str, bytes, "os.PathLike[str]", "os.PathLike[bytes]"], **options: Unpack[DesignOptions]) -> None:
    """Writes the design file of the options' inputs (coredesign-cli --save-design)."""

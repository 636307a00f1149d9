"""Design files from Python: save_design() writes the file --save-design
writes, load_design() gives the keywords that the file's design is,
design=... starts a run from a file as --design does, and every refusal is
the CLI's."""
import pathlib

import pytest

import coredesign
from conftest import assert_same, cli_args, cli_json, run_cli

DESIGNS = [
    {},
    {"family": "nogap"},
    {"family": "nogap", "pick": "6230TXNG", "stack": "3"},
    {"inductance": 318, "inductance_unit": "microhenry", "frequency": 50, "frequency_unit": "kHz"},
    {"dc_current": "3.5 <b>&amp;\"\n", "ambient_temp": "35°C", "output_voltage": "1e400"},
    {"dc_current": "-1"},  # a design whose run is refused is still saved
]


@pytest.mark.parametrize("options", DESIGNS, ids=lambda o: repr(o)[:60])
def test_saved_loaded_and_run_as_the_cli_does(options, tmp_path):
    mine, theirs = tmp_path / "mine.coredesign", tmp_path / "theirs.coredesign"
    coredesign.save_design(mine, **options)
    run_cli("--save-design", str(theirs), *cli_args(options))
    assert mine.read_bytes() == theirs.read_bytes()

    expected = cli_json("--json", "--design", str(theirs))
    assert_same(coredesign.design(design=str(mine)), expected)
    assert_same(coredesign.design(**coredesign.load_design(mine)), expected)
    assert_same(coredesign.design(design=bytes(mine)), expected)
    # Keywords given with the file replace what it sets, as options after --design do.
    assert_same(coredesign.design(design=mine, stack=2),
                cli_json("--json", "--design", str(theirs), "--stack", "2"))
    loaded = coredesign.load_design(mine)
    assert all(type(value) is str for value in loaded.values())
    for name, value in options.items():
        assert loaded[name] == (value if isinstance(value, str) else str(value)), name


def test_refusals_are_the_clis(tmp_path):
    def cli_message(*args):
        status, out, err = run_cli(*args)
        assert status != 0, args
        return err.splitlines()[0].removeprefix("coredesign-cli: ")

    files = {
        "not-json.coredesign": b"{",
        "newer.coredesign": b'{"format": "coredesign-design", "version": 2}',
        "unknown-part.coredesign": b'{"format": "coredesign-design", "version": 1, "calculator": "pick", "pick": "6230TXNG"}',
        "too-large.coredesign": b" " * (1 << 20) + b"{}",
    }
    for name, content in files.items():
        (tmp_path / name).write_bytes(content)
    (tmp_path / "folder.coredesign").mkdir()
    for name in [*files, "folder.coredesign", "missing.coredesign"]:
        path = str(tmp_path / name)
        message = cli_message("--design", path)
        error = OSError if "cannot read" in message else ValueError
        for call in (lambda: coredesign.load_design(path), lambda: coredesign.design(design=path),
                     lambda: coredesign.save_design(tmp_path / "out.coredesign", design=path)):
            with pytest.raises(error) as refused:
                call()
            assert str(refused.value) == message, name
    assert not (tmp_path / "out.coredesign").exists()

    # A text that a design file cannot hold (bytes that are not UTF-8), and a file that cannot be written.
    for path, options, error in [(tmp_path / "x.coredesign", {"dc_current": "\udcff"}, ValueError),
                                 (tmp_path / "no" / "x.coredesign", {}, OSError),
                                 (tmp_path / "no\udcff" / "x.coredesign", {}, OSError)]:
        with pytest.raises(error) as refused:
            coredesign.save_design(path, **options)
        assert str(refused.value) == cli_message("--save-design", str(path), *cli_args(options)), options
        assert not pathlib.Path(path).exists()
    # explore() compares texts typed into fresh screens: it takes no design file.
    with pytest.raises(ValueError) as refused:
        coredesign.explore(design=str(tmp_path / "newer.coredesign"))
    assert str(refused.value) == "option 'design' does not go with explore() (it chooses what the command line prints or writes)"

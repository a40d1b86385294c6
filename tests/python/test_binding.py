"""The Python binding through the real libraries and the simulated driver."""

import json
import os
import re
import subprocess
import sys
import warnings

import pytest

import helvar
import helvar.sim

TRIGGER_SOURCE = 1250012
VERTICAL_RANGE = 1250001
RECORD_LENGTH = 1250011
INCOMPATIBLE_MODEL_NUMBER = -1074100300
SESSION_NOT_INITIALIZED = -1074130544
CORRUPTED_FORMAT = -1074100298


@pytest.fixture
def vi():
    handle = helvar.sim.open_session()
    yield handle
    helvar.sim.close_session(handle)


def without_time_stamp(text):
    document = json.loads(text)
    del document["timeStamp"]
    return document


def test_libraries_come_from_the_named_folder_without_a_loader_path():
    assert "LD_LIBRARY_PATH" not in os.environ
    helvar.describe(INCOMPATIBLE_MODEL_NUMBER)
    folder = os.path.realpath(os.environ[helvar.LIBRARY_DIR_VARIABLE])
    with open("/proc/self/maps") as maps:
        loaded = {os.path.realpath(line.split()[-1]) for line in maps if "libHelvar" in line}
    assert loaded and all(path.startswith(folder + os.sep) for path in loaded)


@pytest.mark.parametrize("attribute,channel,value,written", [
    (TRIGGER_SOURCE, "", "External", "External"),
    (VERTICAL_RANGE, "0", 0.3, 0.3),
    (RECORD_LENGTH, "", 1000, 1000),
])
def test_set_values_are_exported_and_apply_to_another_session(vi, attribute, channel, value, written):
    helvar.sim.set_attribute(vi, attribute, value, channel=channel)
    with helvar.Session(vi) as session:
        text = session.export_text()
    entries = {(e["id"], e["channel"]): e["value"] for e in json.loads(text)["attributes"]}
    assert entries[(attribute, channel)] == written
    other = helvar.sim.open_session()
    try:
        with helvar.Session(other) as session:
            session.import_text(text)
            assert without_time_stamp(session.export_text()) == without_time_stamp(text)
    finally:
        helvar.sim.close_session(other)


def test_files_save_and_restore(vi, tmp_path):
    path = tmp_path / "settings.json"
    helvar.sim.set_attribute(vi, TRIGGER_SOURCE, "External")
    with helvar.Session(vi) as session:
        session.export_file(path)
        session.save()
        helvar.sim.set_attribute(vi, TRIGGER_SOURCE, "Immediate")
        session.restore()
        assert without_time_stamp(session.export_text()) == without_time_stamp(path.read_text())
        session.import_file(str(path))


def test_a_refusal_carries_status_symbol_meaning_and_description(vi):
    with helvar.Session(vi) as session:
        text = session.export_text().replace('"modelNumber": 5122', '"modelNumber": 4711')
        with pytest.raises(helvar.HelvarError) as refused:
            session.import_text(text)
    error = refused.value
    assert error.status == INCOMPATIBLE_MODEL_NUMBER
    assert error.symbol == "errors::incompatibleModelNumber"
    assert "model" in error.meaning
    assert "4711" in error.description


def test_a_japanese_session_describes_in_japanese():
    vi = helvar.sim.open_session(options="Simulate=1,DriverSetup=Language:3")
    try:
        with helvar.Session(vi) as session:
            with pytest.raises(helvar.HelvarError) as refused:
                session.import_text('{"formatVersion": 1')
    finally:
        helvar.sim.close_session(vi)
    assert refused.value.status == CORRUPTED_FORMAT
    # Decoded from code page 932 into str: Japanese characters, no replacement characters.
    assert re.search("[\u3040-\u30ff\u4e00-\u9fff]", refused.value.meaning)
    assert "\ufffd" not in refused.value.description


def test_a_closed_session_is_refused(vi):
    with helvar.Session(vi) as session:
        pass
    with pytest.raises(helvar.HelvarError) as refused:
        session.export_text()
    assert refused.value.status == SESSION_NOT_INITIALIZED


@pytest.mark.parametrize("language,pattern", [(None, "[A-Za-z]"), (0, "model"), (3, "[\u30a0-\u30ff]")])
def test_describe_gives_the_meaning_in_a_language(language, pattern):
    with warnings.catch_warnings():
        warnings.simplefilter("error")
        assert re.search(pattern, helvar.describe(INCOMPATIBLE_MODEL_NUMBER, language))


def test_describe_warns_for_an_unknown_code():
    with pytest.warns(helvar.HelvarWarning):
        assert helvar.describe(123456789)


def test_describe_refuses_an_unknown_language():
    with pytest.raises(helvar.HelvarError):
        helvar.describe(INCOMPATIBLE_MODEL_NUMBER, 9)


def test_the_documented_example_runs():
    example = os.path.join(os.environ["ORV_SOURCE_DIR"], "docs", "python-example.py")
    result = subprocess.run([sys.executable, example], capture_output=True, text=True, timeout=120)
    assert result.returncode == 0, result.stderr
    assert "another model refuses it: errors::incompatibleModelNumber" in result.stdout

#!/usr/bin/env python3
"""Exports the settings of one simulated digitizer, applies them to a second one and shows a
refusal with its description. Run it with the binding installed (python3-helvar), or from a build:

    HELVAR_LIBRARY_DIR=build/out/lib PYTHONPATH=build/out/python python3 docs/python-example.py
"""

import json
import sys

import helvar
import helvar.sim

TRIGGER_SOURCE = 1250012
VERTICAL_RANGE = 1250001


def main():
    station_a = helvar.sim.open_session()
    station_b = helvar.sim.open_session()
    other_model = helvar.sim.open_session(options="Simulate=1,DriverSetup=Model:5124")
    try:
        helvar.sim.set_attribute(station_a, TRIGGER_SOURCE, "External")
        helvar.sim.set_attribute(station_a, VERTICAL_RANGE, 0.3, channel="0")
        with helvar.Session(station_a) as a, helvar.Session(station_b) as b:
            document = a.export_text()
            b.import_text(document)
            print("station B now holds:")
            for entry in json.loads(b.export_text())["attributes"]:
                print("  %(id)d %(name)s channel %(channel)r = %(value)r" % entry)
        with helvar.Session(other_model) as c:
            try:
                c.import_text(document)
            except helvar.HelvarError as error:
                print("another model refuses it: %s (%d)" % (error.symbol, error.status))
                print("meaning:", error.meaning)
                print("recorded description:", error.description)
                return 0
        print("another model accepted the document", file=sys.stderr)
        return 1
    finally:
        for vi in (station_a, station_b, other_model):
            helvar.sim.close_session(vi)


if __name__ == "__main__":
    sys.exit(main())

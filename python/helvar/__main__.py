"""python3 -m helvar [--help]: how to use the binding."""

import sys

import helvar

USAGE = """usage: python3 -m helvar [--help]
The helvar package is a library: import it in a script.
""" + helvar.__doc__ + """
example:
    import helvar, helvar.sim
    vi = helvar.sim.open_session(options="Simulate=1,DriverSetup=Language:3")
    with helvar.Session(vi) as session:
        session.export_file("settings.json")
    helvar.sim.close_session(vi)
"""

if __name__ == "__main__":
    print(USAGE)
    sys.exit(0 if sys.argv[1:] in ([], ["--help"], ["-h"]) else 2)

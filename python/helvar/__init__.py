"""Helvar attribute configuration documents from Python: pure Python over ctypes.

    import helvar, helvar.sim
    vi = helvar.sim.open_session()
    with helvar.Session(vi) as session:
        text = session.export_text()

The libraries are found as the system finds them, or in the folder HELVAR_LIBRARY_DIR names.
"""

from ._binding import HelvarError, HelvarWarning, Session, describe, symbol
from ._libraries import LIBRARY_DIR_VARIABLE

__all__ = ["HelvarError", "HelvarWarning", "Session", "describe", "symbol", "LIBRARY_DIR_VARIABLE"]

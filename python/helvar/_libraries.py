"""Finds and loads libHelvar, the digitizer driver and the IVI engine.

An installed system's loader finds them by name.  HELVAR_LIBRARY_DIR names one folder that holds
them instead (a build's out/lib, a private installation); it is read when the binding is first
used, so a script may set it in os.environ before that, and LD_LIBRARY_PATH is never needed.
"""

import ctypes
import os
import sys

LIBRARY_DIR_VARIABLE = "HELVAR_LIBRARY_DIR"

if sys.platform == "win32":
    _HELVAR = ("Helvar.dll",)
    _DRIVER = "Digiscan2u.dll"
    _ENGINES = ("orvivi.dll", "ivi.dll")
else:
    _HELVAR = ("libHelvar.so.4", "libHelvar.so")
    _DRIVER = "libDigiscan2u.so"
    _ENGINES = ("liborvivi.so", "libivi.so")

_loaded = {}


def _folder():
    return os.environ.get(LIBRARY_DIR_VARIABLE) or None


def _open(names, folder, mode):
    """The first of names that loads, from folder when one is set; OSError naming them all."""
    errors = []
    for name in names:
        target = os.path.join(folder, name) if folder else name
        if folder and not os.path.exists(target):
            errors.append(target + ": not found")
            continue
        try:
            return ctypes.CDLL(target, mode=mode)
        except OSError as error:
            errors.append(str(error))
    raise OSError("cannot load " + " or ".join(names) + " (" + "; ".join(errors) + ")"
                  + ("" if folder else "; set " + LIBRARY_DIR_VARIABLE + " to the folder that holds them"))


def _prepare(folder):
    if not folder:
        return
    # The registry file of a build or private installation lies beside its library folder; the
    # libraries read it to find their explanation files.
    registry = os.path.normpath(os.path.join(folder, os.pardir, "registry.reg"))
    if "ORV_REGISTRY_FILE" not in os.environ and os.path.exists(registry):
        os.environ["ORV_REGISTRY_FILE"] = registry
    if sys.platform == "win32":
        os.add_dll_directory(folder)


def _libraries():
    if not _loaded:
        folder = _folder()
        _prepare(folder)
        # Loaded globally first: Helvar and the driver then find them under the names they ask for,
        # as the system loader would have found them.
        mode = getattr(ctypes, "RTLD_GLOBAL", 0)
        _loaded["engine"] = _open(_ENGINES, folder, mode)
        _loaded["driver"] = _open((_DRIVER,), folder, mode)
        _loaded["helvar"] = _open(_HELVAR, folder, mode)
    return _loaded


def helvar():
    return _libraries()["helvar"]


def driver():
    return _libraries()["driver"]


def engine():
    return _libraries()["engine"]

"""The simulated digitizer driver, enough to open sessions for Helvar in examples and tests."""

import ctypes

from . import _libraries
from ._binding import ViSession, _check, _driver, _function

DEFAULT_OPTIONS = "Simulate=1,RangeCheck=1,Cache=1,DriverSetup="

# The engine's value type codes and the driver's setter for each.
_SETTERS = {
    1: ("Digiscan_SetAttributeViInt32", ctypes.c_int32),
    2: ("Digiscan_SetAttributeViInt64", ctypes.c_int64),
    4: ("Digiscan_SetAttributeViReal64", ctypes.c_double),
    5: ("Digiscan_SetAttributeViString", ctypes.c_char_p),
    11: ("Digiscan_SetAttributeViSession", ViSession),
    13: ("Digiscan_SetAttributeViBoolean", ctypes.c_uint16),
}


def open_session(resource="SimDigitizer", options=DEFAULT_OPTIONS):
    """Opens a simulated session (DriverSetup items: Model:<n>, Language:<n>, Channels:<n>) and
    returns its ViSession handle as an int."""
    vi = ViSession(0)
    init = _driver("Digiscan_InitWithOptions", ctypes.c_char_p, ctypes.c_uint16, ctypes.c_uint16, ctypes.c_char_p,
                   ctypes.POINTER(ViSession))
    _check(init(resource.encode("utf-8"), 0, 0, options.encode("utf-8"), ctypes.byref(vi)),
           "Digiscan_InitWithOptions", 0)
    return vi.value


def close_session(vi):
    _check(_driver("Digiscan_close", ViSession)(int(vi)), "Digiscan_close", 0)


def attribute_type(vi, attribute):
    """The engine's type code of an attribute of the session."""
    get_type = _function(_libraries.engine(), "Ivi_GetAttributeType",
                         [ViSession, ctypes.c_uint32, ctypes.POINTER(ctypes.c_int32)])
    code = ctypes.c_int32(0)
    _check(get_type(int(vi), attribute, ctypes.byref(code)), "Ivi_GetAttributeType", int(vi))
    return code.value


def set_attribute(vi, attribute, value, channel=""):
    """Sets an attribute as the user does, with the setter of its type in the session."""
    code = attribute_type(vi, attribute)
    if code not in _SETTERS:
        raise TypeError("attribute %d has engine type %d, which cannot be set from Python" % (attribute, code))
    name, value_type = _SETTERS[code]
    if value_type is ctypes.c_char_p:
        value = str(value).encode("utf-8")
    elif code == 13:
        value = 1 if value else 0
    setter = _driver(name, ViSession, ctypes.c_char_p, ctypes.c_uint32, value_type)
    _check(setter(int(vi), channel.encode("utf-8"), attribute, value), name, int(vi))

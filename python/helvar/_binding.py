"""Sessions, descriptions and errors over libHelvar's exports."""

import ctypes
import os
import warnings

from . import _libraries
from ._tables import CODE_PAGES, SYMBOLS

ViStatus = ctypes.c_int32
ViSession = ctypes.c_uint32
ViInt32 = ctypes.c_int32

# The driver's language attribute, which selects the language of recorded descriptions.
LANGUAGE_ATTRIBUTE = 1199999

_declared = set()


def _function(library, name, arguments, result=ViStatus):
    function = getattr(library, name)
    if name not in _declared:
        function.argtypes = arguments
        function.restype = result
        _declared.add(name)
    return function


def _helvar(name, *arguments):
    return _function(_libraries.helvar(), name, list(arguments))


def _driver(name, *arguments):
    return _function(_libraries.driver(), name, list(arguments))


def symbol(status):
    """The status's symbolic name ("errors::corruptedFormat"), or None when it has none."""
    return SYMBOLS.get(status)


def describe(status, language=None):
    """The meaning of status in language (0 English ... 5 Simplified Chinese; None: the process's
    default language), as str. A code the system does not know gives a sentence saying so and a
    HelvarWarning."""
    code = -1 if language is None else int(language)
    function = _helvar("Helvar_DescribeStatus", ViInt32, ViStatus, ViInt32, ctypes.c_char_p)
    needed = function(code, int(status), 0, None)
    if needed < 0:
        raise HelvarError(needed, "Helvar_DescribeStatus")
    buffer = ctypes.create_string_buffer(needed)
    result = function(code, int(status), needed, buffer)
    if result < 0:
        raise HelvarError(result, "Helvar_DescribeStatus")
    text = buffer.value.decode("utf-8", "replace")
    if result > 0:
        warnings.warn(HelvarWarning(result, "Helvar_DescribeStatus", text), stacklevel=2)
    return text


class HelvarWarning(UserWarning):
    """A positive status: the call did its work and has something to say."""

    def __init__(self, status, operation, description=""):
        self.status = status
        self.operation = operation
        self.symbol = symbol(status)
        self.description = description
        super().__init__("%s: warning %d%s" % (operation, status, ": " + description if description else ""))


class HelvarError(Exception):
    """A refusal: status (negative), symbol, meaning (what the code means, in the session's
    language) and description (what Helvar recorded for the refusal, as the driver's error
    query gives it)."""

    def __init__(self, status, operation, description="", language=None):
        self.status = status
        self.operation = operation
        self.symbol = symbol(status)
        self.description = description
        self.meaning = ""
        if operation != "Helvar_DescribeStatus":
            try:
                with warnings.catch_warnings():
                    warnings.simplefilter("ignore")
                    self.meaning = describe(status, language)
            except (HelvarError, OSError, AttributeError):
                pass
        name = self.symbol or "status"
        super().__init__("%s failed: %s (%d)%s" % (operation, name, status,
                                                     "\n" + description if description else ""))


def _session_language(vi):
    value = ctypes.c_int32(0)
    read = _driver("DigiscanSub_GetAttributeWithOptionsViInt32", ViSession, ctypes.c_char_p, ctypes.c_uint32,
                   ViInt32, ctypes.POINTER(ctypes.c_int32))
    if read(vi, b"", LANGUAGE_ATTRIBUTE, 0, ctypes.byref(value)) < 0 or not 0 <= value.value < len(CODE_PAGES):
        return 0
    return value.value


def recorded_description(vi):
    """The description recorded for vi (0: the process), fetched and cleared through the driver's
    error functions, decoded from the session language's code page."""
    get = _driver("Digiscan_GetError", ViSession, ctypes.POINTER(ViStatus), ViInt32, ctypes.c_char_p)
    clear = _driver("Digiscan_ClearError", ViSession)
    code = ViStatus(0)
    needed = get(vi, ctypes.byref(code), 0, None)
    text = b""
    if needed > 0:
        buffer = ctypes.create_string_buffer(needed)
        if get(vi, ctypes.byref(code), needed, buffer) >= 0:
            text = buffer.value
    clear(vi)
    language = _session_language(vi) if vi else 0
    return text.decode("cp%d" % CODE_PAGES[language], "replace"), language


def _check(status, operation, vi):
    """Raises for a negative status, warns for a positive one; returns the status."""
    if status == 0:
        return status
    description, language = recorded_description(vi)
    if status < 0:
        raise HelvarError(status, operation, description, language)
    warnings.warn(HelvarWarning(status, operation, description), stacklevel=3)
    return status


class Session:
    """Helvar attached to an open driver session (a ViSession handle as an int), for the length
    of a with block: Helvar_Initialize on entry, Helvar_Close on exit."""

    def __init__(self, vi):
        self.vi = int(vi)
        self._open = False

    def __enter__(self):
        _check(_helvar("Helvar_Initialize", ViSession)(self.vi), "Helvar_Initialize", 0)
        self._open = True
        return self

    def __exit__(self, *exception):
        self.close()
        return False

    def close(self):
        if self._open:
            self._open = False
            _check(_helvar("Helvar_Close", ViSession)(self.vi), "Helvar_Close", 0)

    def _call(self, name, arguments, *values):
        return _check(_helvar(name, ViSession, *arguments)(self.vi, *values), name, self.vi)

    def export_text(self):
        """The session's document as str."""
        function = _helvar("Helvar_ExportAttributeConfigurationBuffer", ViSession, ViInt32, ctypes.c_char_p)
        # A size query answers with the size needed, not a warning.
        needed = function(self.vi, 0, None)
        if needed <= 0:
            _check(needed or -1, "Helvar_ExportAttributeConfigurationBuffer", self.vi)
        buffer = ctypes.create_string_buffer(needed)
        _check(function(self.vi, needed, buffer), "Helvar_ExportAttributeConfigurationBuffer", self.vi)
        return buffer.value.decode("utf-8")

    def export_file(self, path):
        self._call("Helvar_ExportAttributeConfigurationFile", [ctypes.c_char_p], os.fsencode(path))

    def import_text(self, text):
        data = text.encode("utf-8") if isinstance(text, str) else bytes(text)
        self._call("Helvar_ImportAttributeConfigurationBuffer", [ViInt32, ctypes.c_char_p], len(data), data)

    def import_file(self, path):
        self._call("Helvar_ImportAttributeConfigurationFile", [ctypes.c_char_p], os.fsencode(path))

    def save(self):
        self._call("Helvar_SaveAttributes", [])

    def restore(self):
        self._call("Helvar_RestoreAttributes", [])

# Writes the binding's tables from the sources that hold them (cmake -DCODES=... -DLANGUAGES=...
# -DOUTPUT=... -P Tables.cmake): the symbolic names of the code table and the code pages of the
# description languages, so that Python keeps no copy of its own.
file(STRINGS "${CODES}" code_lines REGEX "^ORVERR_CODE\\(")
set(symbols "")
foreach(line ${code_lines})
  if(line MATCHES "^ORVERR_CODE\\([A-Za-z0-9_]+, (-?[0-9]+), \"([^\"]+)\"\\)")
    string(APPEND symbols "    (${CMAKE_MATCH_1}, \"${CMAKE_MATCH_2}\"),\n")
  endif()
endforeach()
file(READ "${LANGUAGES}" languages_text)
# Each row starts with the code, the folder and the code page; later members may follow.
string(REGEX MATCHALL "{\"[a-z]+\", \"[A-Za-z]+\", [0-9]+" languages "${languages_text}")
list(LENGTH languages language_count)
if(language_count EQUAL 0)
  message(FATAL_ERROR "no language rows found in ${LANGUAGES}")
endif()
set(pages "")
foreach(language ${languages})
  string(REGEX REPLACE ".*, ([0-9]+)$" "\\1" page "${language}")
  string(APPEND pages "${page}, ")
endforeach()
set(content "# Generated at build time from Codes.def and Languages.h; edit those instead.\n")
string(APPEND content "_SYMBOLS = [\n${symbols}]\n")
string(APPEND content "# The first name of a code is its name.\nSYMBOLS = {}\nfor _code, _name in _SYMBOLS:\n    SYMBOLS.setdefault(_code, _name)\n")
string(APPEND content "# The Windows code page of each description language, by number.\nCODE_PAGES = (${pages})\n")
# Written only on change (nothing in it has the form @NAME@).
file(CONFIGURE OUTPUT "${OUTPUT}" CONTENT "${content}" @ONLY)

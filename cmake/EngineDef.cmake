# Writes the module-definition file of one Windows build of the stand-in engine (cmake -P).
cmake_policy(SET CMP0057 NEW)
#   NM, OBJECTS (;-list), NAMES (the engine's own list of its names), HIDDEN (,-list of globs),
#   OUTPUT.
# Exported are the engine and control functions the objects define, and every listed engine name
# they lack under its "not supported" stub (a DLL cannot export a weak definition); names that
# match HIDDEN are left out.
execute_process(COMMAND ${NM} -g --defined-only ${OBJECTS} OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${NM} failed on the engine objects")
endif()
string(REGEX MATCHALL "[ \t]T (Sim)?Ivi_[A-Za-z0-9_]+" defined "${symbols}")
list(TRANSFORM defined REPLACE "^[ \t]T " "")
list(REMOVE_DUPLICATES defined)

file(STRINGS ${NAMES} engine_lines REGEX "^IVI_(REQUIRED|OPTIONAL)\\(")
set(exports "")
foreach(line ${engine_lines})
  string(REGEX REPLACE "^IVI_[A-Z]+\\(([A-Za-z0-9_]+)\\).*" "\\1" name "${line}")
  if(NOT name IN_LIST defined)
    list(APPEND exports "${name}=SimIviStub_${name}")
  endif()
endforeach()
list(APPEND exports ${defined})

string(REPLACE "," ";" HIDDEN "${HIDDEN}")
set(text "EXPORTS\n")
foreach(entry ${exports})
  string(REGEX REPLACE "=.*" "" name "${entry}")
  set(hide FALSE)
  foreach(glob ${HIDDEN})
    string(REPLACE "*" ".*" pattern "^${glob}$")
    if(name MATCHES "${pattern}")
      set(hide TRUE)
    endif()
  endforeach()
  if(NOT hide)
    string(APPEND text "  ${entry}\n")
  endif()
endforeach()
file(WRITE ${OUTPUT}.tmp "${text}")
file(RENAME ${OUTPUT}.tmp ${OUTPUT})

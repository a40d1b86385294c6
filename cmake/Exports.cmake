# Only the documented exports leave the two shared libraries: a version script on ELF (the C++
# run time and Boost instances the static cores pull in stay local), the explicit exports of the
# headers on Windows.
#
# Helvar's exports are the ones its symbols file records (cmake/package/libhelvar4.symbols, the
# package's ABI record); the build checks the library against that file with dpkg-gensymbols, so
# an export added or lost fails the build until the file says so. The minimal versions end in "~"
# (just below the release), because dpkg-gensymbols lets a symbol of the version being built
# vanish without a word.
# The plug-in's four are the exported names its header spells (explorer/QuorrelExports.h).
if(WIN32)
  return()
endif()

set(orv_helvar_symbols ${PROJECT_SOURCE_DIR}/cmake/package/libhelvar${ORV_HELVAR_SOVERSION}.symbols)
file(STRINGS ${orv_helvar_symbols} helvar_symbol_lines REGEX "^ [A-Za-z_][A-Za-z0-9_]*@")
set(helvar_exports)
foreach(line ${helvar_symbol_lines})
  string(REGEX REPLACE "^ ([A-Za-z0-9_]+)@.*" "\\1" name "${line}")
  list(APPEND helvar_exports ${name})
endforeach()
file(STRINGS ${PROJECT_SOURCE_DIR}/include/explorer/QuorrelExports.h quorrel_export_lines
     REGEX "^#define QUORREL_EXPORT_[A-Z_]+ \"")
set(quorrel_exports)
foreach(line ${quorrel_export_lines})
  string(REGEX REPLACE "^#define QUORREL_EXPORT_[A-Z_]+ \"([^\"]+)\".*" "\\1" name "${line}")
  list(APPEND quorrel_exports ${name})
endforeach()

function(orv_export_only target)
  set(script ${CMAKE_BINARY_DIR}/package/${target}.map)
  list(JOIN ARGN ";\n    " names)
  file(WRITE ${script}.part "{\n  global:\n    ${names};\n  local:\n    *;\n};\n")
  file(COPY_FILE ${script}.part ${script} ONLY_IF_DIFFERENT)
  target_link_options(${target} PRIVATE -Wl,--version-script=${script})
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${script})
endfunction()
orv_export_only(Helvar ${helvar_exports})
orv_export_only(Quorrel ${quorrel_exports})

# The check of Helvar's exports against its symbols file (dpkg-gensymbols is found by
# cmake/Dependencies.cmake).
set(stamp ${CMAKE_BINARY_DIR}/package/libhelvar-symbols.checked)
add_custom_command(OUTPUT ${stamp}
  COMMAND ${ORV_DPKG_GENSYMBOLS} -c4
          -plibhelvar${ORV_HELVAR_SOVERSION} -v${ORV_HELVAR_VERSION} -I${orv_helvar_symbols}
          -e$<TARGET_FILE:Helvar> -O${CMAKE_BINARY_DIR}/package/libhelvar.symbols.built
  COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
  DEPENDS Helvar ${orv_helvar_symbols}
  COMMENT "Checking the exports of libHelvar against its symbols file"
  VERBATIM)
add_custom_target(helvar_symbols_check ALL DEPENDS ${stamp})

# Installation, laid out as Debian ships a C library (cmake/InstallDirs.cmake fixes the folders):
# the runtime library with its SONAME, development files, the plug-in, the tools, and the
# stand-ins of the outside components. Every component is a Debian package (cmake/Packaging.cmake).
include(CMakePackageConfigHelpers)

# Versions come from the sources that report them, so they are written in one place each.
file(STRINGS ${PROJECT_SOURCE_DIR}/src/helvar/impexp/document/DocumentConstants.h helvar_version_line
     REGEX "kGeneratorVersion = \"[0-9]+\\.[0-9]+\\.[0-9]+")
string(REGEX REPLACE ".*\"([0-9]+\\.[0-9]+\\.[0-9]+).*" "\\1" ORV_HELVAR_VERSION "${helvar_version_line}")
string(REGEX REPLACE "\\..*" "" ORV_HELVAR_SOVERSION "${ORV_HELVAR_VERSION}")
file(STRINGS ${PROJECT_SOURCE_DIR}/src/quorrel/version/VersionCheck.h quorrel_version_line
     REGEX "kCurrentVersion = 0x[0-9A-Fa-f]+")
string(REGEX REPLACE ".*(0x[0-9A-Fa-f]+).*" "\\1" quorrel_packed "${quorrel_version_line}")
math(EXPR quorrel_major "(${quorrel_packed} >> 24) & 255")
math(EXPR quorrel_minor "(${quorrel_packed} >> 20) & 15")
math(EXPR quorrel_update "(${quorrel_packed} >> 16) & 15")
set(ORV_QUORREL_VERSION "${quorrel_major}.${quorrel_minor}.${quorrel_update}")
set(ORV_QUORREL_SOVERSION ${quorrel_major})

set_target_properties(Helvar PROPERTIES VERSION ${ORV_HELVAR_VERSION} SOVERSION ${ORV_HELVAR_SOVERSION})
# The explorer loads the plug-in by its plain name, so the link name ships with the plug-in.
set_target_properties(Quorrel PROPERTIES VERSION ${ORV_QUORREL_VERSION} SOVERSION ${ORV_QUORREL_SOVERSION})

# Only the documented exports leave the two libraries (cmake/Exports.cmake).
include(${CMAKE_CURRENT_LIST_DIR}/Exports.cmake)

# Where the platform layer looks for the parts of the installation that holds it.
target_compile_definitions(orv_platform PRIVATE ORV_INSTALL_BINDIR="${CMAKE_INSTALL_BINDIR}"
                           ORV_INSTALL_LIBDIR="${CMAKE_INSTALL_LIBDIR}")

set(orv_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake)
set(orv_data_dir ${CMAKE_INSTALL_DATADIR}/orvane)
set(orv_helvar_include ${CMAKE_INSTALL_INCLUDEDIR}/helvar)
set(orv_quorrel_include ${CMAKE_INSTALL_INCLUDEDIR}/quorrel)

# Run paths, for what a binary links from the installation: a library looks in its own folder, a
# program in the installation's library folder. What is opened by plain name at run time (the
# engine, the driver) the platform layer finds in the installation's library folder itself, so
# libHelvar has no run path. A binary that links nothing of ours gets none either: CMake would
# pad its build-tree run path with empty entries, which mean the working folder.
file(RELATIVE_PATH orv_bin_to_lib /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${CMAKE_INSTALL_LIBDIR})
set(orv_library_rpath "\$ORIGIN")
set(orv_program_rpath "\$ORIGIN/${orv_bin_to_lib}")

# Helvar: runtime and development halves.
install(TARGETS Helvar EXPORT HelvarTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT helvar NAMELINK_COMPONENT helvar-dev
        INCLUDES DESTINATION ${orv_helvar_include})
install(FILES include/Helvar.h include/IviTypes.h DESTINATION ${orv_helvar_include} COMPONENT helvar-dev)
install(EXPORT HelvarTargets NAMESPACE Helvar:: DESTINATION ${orv_cmake_dir}/Helvar COMPONENT helvar-dev)
configure_package_config_file(cmake/package/HelvarConfig.cmake.in ${CMAKE_BINARY_DIR}/package/HelvarConfig.cmake
                              INSTALL_DESTINATION ${orv_cmake_dir}/Helvar)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/package/HelvarConfigVersion.cmake
                                 VERSION ${ORV_HELVAR_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/package/HelvarConfig.cmake ${CMAKE_BINARY_DIR}/package/HelvarConfigVersion.cmake
        DESTINATION ${orv_cmake_dir}/Helvar COMPONENT helvar-dev)
# Relative to the .pc file, so the same file serves any prefix (a scratch tree or /usr).
file(RELATIVE_PATH ORV_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
string(REGEX REPLACE "/$" "" ORV_PC_TO_PREFIX "${ORV_PC_TO_PREFIX}")
configure_file(cmake/package/helvar.pc.in ${CMAKE_BINARY_DIR}/package/helvar.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/package/helvar.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig
        COMPONENT helvar-dev)
# Editors read the schema; it ships with the runtime, beside the explanation files.
install(FILES data/attribute-configuration.schema.json DESTINATION ${orv_data_dir} COMPONENT helvar)

# Quorrel: the plug-in, and for host authors the explorer, storage and platform-library headers
# (the stand-ins' control headers stay with the stand-ins).
set_target_properties(Quorrel PROPERTIES INSTALL_RPATH "${orv_library_rpath}")
install(TARGETS Quorrel EXPORT QuorrelTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT quorrel NAMELINK_COMPONENT quorrel
        INCLUDES DESTINATION ${orv_quorrel_include})
install(DIRECTORY include/explorer include/palu include/storage DESTINATION ${orv_quorrel_include}
        COMPONENT helvar-dev PATTERN "Sim*.h" EXCLUDE)
install(EXPORT QuorrelTargets NAMESPACE Quorrel:: DESTINATION ${orv_cmake_dir}/Quorrel COMPONENT helvar-dev)
configure_package_config_file(cmake/package/QuorrelConfig.cmake.in ${CMAKE_BINARY_DIR}/package/QuorrelConfig.cmake
                              INSTALL_DESTINATION ${orv_cmake_dir}/Quorrel)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/package/QuorrelConfigVersion.cmake
                                 VERSION ${ORV_QUORREL_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/package/QuorrelConfig.cmake ${CMAKE_BINARY_DIR}/package/QuorrelConfigVersion.cmake
        DESTINATION ${orv_cmake_dir}/Quorrel COMPONENT helvar-dev)

# The stand-ins take the names of the real outside libraries, so they are for trying the system
# out, never for a machine with the real ones: a package of their own that nothing real needs.
set(orv_standins ivi Digiscan2u svs svsutils oleaut32 orvqtxfu orvpalu orvmdbgu orvxlator)
set_target_properties(Digiscan2u svs orvqtxfu orvpalu PROPERTIES INSTALL_RPATH "${orv_library_rpath}")
install(TARGETS ${orv_standins} LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT simulators)

set(orv_tools helvar helvar-demo sysvista-host quorrel-debugconfig)
# The tools' --version is the version of the package they ship in.
target_compile_definitions(orv_tool_common PRIVATE ORV_PACKAGE_VERSION="${ORV_HELVAR_VERSION}")
set_target_properties(${orv_tools} PROPERTIES INSTALL_RPATH "${orv_program_rpath}")
if(NOT WIN32)
  target_compile_definitions(sysvista-host PRIVATE ORV_HOST_LIBRARY_FOLDER="${orv_bin_to_lib}")
endif()
install(TARGETS ${orv_tools} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT tools)
# bash-completion loads a command's file by the command's name on first use.
install(FILES tools/completion/helvar tools/completion/sysvista-host tools/completion/quorrel-debugconfig
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions COMPONENT tools)
install(DIRECTORY data/examples DESTINATION ${orv_data_dir} COMPONENT tools)

# The error explanation files, delivered in their code pages, belong to the runtime: without them
# a description has no static part. The term tables are compiled into the library; their
# sources ship for reference.
install(DIRECTORY ${ORV_OUT}/shared/ DESTINATION ${orv_data_dir}/shared COMPONENT helvar)
install(DIRECTORY data/terms DESTINATION ${orv_data_dir} COMPONENT helvar-dev)

# The registry of the simulated installation, the stand-in of what the real installers write:
# the shared folder of the explanation files and the explorer's library folder. It lies in the
# installation's configuration folder, where the libraries look by default (/etc/orvane under /usr
# and /, <prefix>/etc/orvane under any other prefix).
install(CODE "
  set(orv_prefix \${CMAKE_INSTALL_PREFIX})
  if(orv_prefix STREQUAL \"/usr\" OR orv_prefix STREQUAL \"/\")
    set(orv_etc /etc/orvane)
  else()
    set(orv_etc \${orv_prefix}/etc/orvane)
  endif()
  string(REGEX REPLACE \"/$\" \"\" orv_prefix \"\${orv_prefix}\")
  file(MAKE_DIRECTORY \$ENV{DESTDIR}\${orv_etc})
  file(WRITE \$ENV{DESTDIR}\${orv_etc}/registry.reg \"Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\\\\SOFTWARE\\\\WOW6432Node\\\\Orvane\\\\Common\\\\Installer]
\\\"ORVSHAREDDIR\\\"=\\\"\${orv_prefix}/${orv_data_dir}/shared\\\"

[HKEY_LOCAL_MACHINE\\\\SOFTWARE\\\\Orvane\\\\Common\\\\Installer]
\\\"ORVSHAREDDIR64\\\"=\\\"\${orv_prefix}/${orv_data_dir}/shared\\\"

[HKEY_LOCAL_MACHINE\\\\Software\\\\Orvane\\\\Sysvista]
\\\"SelfRegisteredSvsPath\\\"=\\\"\${orv_prefix}/${CMAKE_INSTALL_LIBDIR}/\\\"
\\\"CurrentSvsVersion\\\"=\\\"18.1\\\"
\")
" COMPONENT simulators)

# The shared folder of the plug-in's debug settings file, writable by every local user so that
# each of them can commit. A package creates it when it is configured (postinst); an installation
# into a prefix creates it at once.
install(CODE "
  if(\"\$ENV{DESTDIR}\" STREQUAL \"\")
    set(orv_prefix \${CMAKE_INSTALL_PREFIX})
    if(orv_prefix STREQUAL \"/usr\" OR orv_prefix STREQUAL \"/\")
      set(orv_var /var)
    else()
      set(orv_var \${orv_prefix}/var)
    endif()
    file(MAKE_DIRECTORY \${orv_var}/lib/Orvane/Shared/Quorrel)
    file(CHMOD \${orv_var}/lib/Orvane/Shared/Quorrel DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
         GROUP_READ GROUP_WRITE GROUP_EXECUTE WORLD_READ WORLD_WRITE WORLD_EXECUTE)
  endif()
" COMPONENT quorrel)

# Man pages, compressed as Debian installs them: one page per tool, one page for the exports with
# a link per function.
find_program(ORV_GZIP gzip REQUIRED)
set(orv_man_out ${CMAKE_BINARY_DIR}/package/man)
set(orv_man_outputs)
function(orv_man_page page section component)
  set(output ${orv_man_out}/man${section}/${page}.gz)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${orv_man_out}/man${section}
    COMMAND ${ORV_GZIP} -9nc ${PROJECT_SOURCE_DIR}/docs/man/${page} > ${output}
    DEPENDS ${PROJECT_SOURCE_DIR}/docs/man/${page} VERBATIM)
  set(orv_man_outputs ${orv_man_outputs} ${output} PARENT_SCOPE)
  install(FILES ${output} DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section} COMPONENT ${component})
endfunction()
foreach(page helvar.1 helvar-demo.1 sysvista-host.1 quorrel-debugconfig.1)
  orv_man_page(${page} 1 tools)
endforeach()
orv_man_page(Helvar.3 3 helvar-dev)
add_custom_target(orv_man_pages ALL DEPENDS ${orv_man_outputs})
file(STRINGS include/Helvar.h helvar_exports REGEX "^HELVAR_API [A-Za-z]+ [A-Za-z_]+\\(")
file(MAKE_DIRECTORY ${orv_man_out}/links)
foreach(line ${helvar_exports})
  string(REGEX REPLACE "^HELVAR_API [A-Za-z]+ ([A-Za-z_]+)\\(.*" "\\1" function "${line}")
  file(CREATE_LINK Helvar.3.gz ${orv_man_out}/links/${function}.3.gz SYMBOLIC)
  install(FILES ${orv_man_out}/links/${function}.3.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man3 COMPONENT helvar-dev)
endforeach()

# Installation and Debian packages, laid out as Debian ships a C library: the runtime library
# with its SONAME, a -dev package with headers, pkg-config and CMake files, the plug-in, and the
# tools together with the simulated devices they run on.
include(GNUInstallDirs)
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

set_target_properties(Helvar PROPERTIES VERSION ${ORV_HELVAR_VERSION} SOVERSION ${ORV_HELVAR_SOVERSION})
# The explorer loads the plug-in by its plain name, so the link name ships with the plug-in.
set_target_properties(Quorrel PROPERTIES VERSION ${ORV_QUORREL_VERSION} SOVERSION ${quorrel_major})

set(orv_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake)
set(orv_data_dir ${CMAKE_INSTALL_DATADIR}/orvane)

# Helvar: runtime and development halves.
install(TARGETS Helvar EXPORT HelvarTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT helvar NAMELINK_COMPONENT helvar-dev
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(FILES include/Helvar.h include/IviTypes.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT helvar-dev)
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

# Quorrel: the plug-in, and for host authors the explorer, storage and platform-library headers.
install(TARGETS Quorrel EXPORT QuorrelTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT quorrel NAMELINK_COMPONENT quorrel
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/orvane)
install(DIRECTORY include/explorer include/palu include/storage
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/orvane COMPONENT helvar-dev)
install(EXPORT QuorrelTargets NAMESPACE Quorrel:: DESTINATION ${orv_cmake_dir}/Quorrel COMPONENT helvar-dev)
configure_package_config_file(cmake/package/QuorrelConfig.cmake.in ${CMAKE_BINARY_DIR}/package/QuorrelConfig.cmake
                              INSTALL_DESTINATION ${orv_cmake_dir}/Quorrel)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/package/QuorrelConfigVersion.cmake
                                 VERSION ${ORV_QUORREL_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/package/QuorrelConfig.cmake ${CMAKE_BINARY_DIR}/package/QuorrelConfigVersion.cmake
        DESTINATION ${orv_cmake_dir}/Quorrel COMPONENT helvar-dev)

# The tools with the stand-ins they run on; the stand-ins take the names of the real outside
# libraries, so this package is for trying the system out, not for a machine with the real ones.
set(orv_standins ivi Digiscan2u svs svsutils oleaut32 orvqtxfu orvpalu orvmdbgu)
install(TARGETS ${orv_standins} LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT tools)
set(orv_tools helvar helvar-demo sysvista-host quorrel-debugconfig)
# The tools' --version is the version of the package they ship in.
target_compile_definitions(orv_tool_common PRIVATE ORV_PACKAGE_VERSION="${ORV_HELVAR_VERSION}")
set_target_properties(${orv_tools} PROPERTIES INSTALL_RPATH "\$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")
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

# The registry of the simulated installation: the shared folder of the explanation files and the
# explorer's library folder. Under /usr it is /etc/orvane/registry.reg, where the libraries look
# by default; under any other prefix it lies in <prefix>/etc/orvane.
install(CODE "
  if(CMAKE_INSTALL_PREFIX STREQUAL \"/usr\")
    set(orv_etc /etc/orvane)
  else()
    set(orv_etc \${CMAKE_INSTALL_PREFIX}/etc/orvane)
  endif()
  set(orv_prefix \${CMAKE_INSTALL_PREFIX})
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
" COMPONENT tools)

# Man pages: one page per tool, one page for the exports with a link page per function.
install(FILES docs/man/helvar.1 docs/man/sysvista-host.1 docs/man/quorrel-debugconfig.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT tools)
install(FILES docs/man/Helvar.3 DESTINATION ${CMAKE_INSTALL_MANDIR}/man3 COMPONENT helvar-dev)
file(STRINGS include/Helvar.h helvar_exports REGEX "^HELVAR_API [A-Za-z]+ [A-Za-z_]+\\(")
foreach(line ${helvar_exports})
  string(REGEX REPLACE "^HELVAR_API [A-Za-z]+ ([A-Za-z_]+)\\(.*" "\\1" function "${line}")
  file(WRITE ${CMAKE_BINARY_DIR}/package/man3/${function}.3 ".so man3/Helvar.3\n")
  install(FILES ${CMAKE_BINARY_DIR}/package/man3/${function}.3 DESTINATION ${CMAKE_INSTALL_MANDIR}/man3
          COMPONENT helvar-dev)
endforeach()

# Debian packages (cpack -G DEB in the build folder).
set(CPACK_PACKAGE_NAME orvane)
set(CPACK_PACKAGE_VENDOR "Orvane")
set(CPACK_PACKAGE_VERSION ${ORV_HELVAR_VERSION})
set(CPACK_PACKAGE_CONTACT "Orvane digitizer software team <digitizer-software@orvane.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Side software of the Digiscan digitizer driver")
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL helvar helvar-dev quorrel tools)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
# Dependencies on Debian's libraries are read off the binaries; ours are named below.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${ORV_OUT}/lib)
set(CPACK_DEBIAN_HELVAR_PACKAGE_NAME libhelvar${ORV_HELVAR_SOVERSION})
set(CPACK_DEBIAN_HELVAR_DESCRIPTION
    "Attribute configuration documents for Digiscan digitizer sessions\n Exports and imports the user-set attributes of an IVI session as a versioned,\n schema-validated JSON document, and describes every failure in six languages.")
set(CPACK_DEBIAN_HELVAR-DEV_PACKAGE_NAME libhelvar-dev)
set(CPACK_DEBIAN_HELVAR-DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_HELVAR-DEV_PACKAGE_DEPENDS "libhelvar${ORV_HELVAR_SOVERSION} (= ${ORV_HELVAR_VERSION})")
set(CPACK_DEBIAN_HELVAR-DEV_DESCRIPTION
    "Development files of Helvar and of the Quorrel explorer plug-in\n Headers, pkg-config file and CMake package files (Helvar::Helvar, Quorrel::Quorrel).")
set(CPACK_DEBIAN_QUORREL_PACKAGE_NAME quorrel)
set(CPACK_DEBIAN_QUORREL_PACKAGE_DEPENDS "orvane-tools (= ${ORV_HELVAR_VERSION})")
set(CPACK_DEBIAN_QUORREL_DESCRIPTION
    "Digitizer expert plug-in of the configuration explorer\n Shows the digitizer devices of the storage library as property bags and keeps\n their debug settings in a file shared by all processes.")
set(CPACK_DEBIAN_TOOLS_PACKAGE_NAME orvane-tools)
set(CPACK_DEBIAN_TOOLS_PACKAGE_DEPENDS "libhelvar${ORV_HELVAR_SOVERSION} (= ${ORV_HELVAR_VERSION})")
set(CPACK_DEBIAN_TOOLS_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_TOOLS_DESCRIPTION
    "Command-line tools of Helvar and Quorrel with simulated devices\n helvar, sysvista-host and quorrel-debugconfig, with stand-ins of the IVI engine,\n the digitizer driver, the explorer and the storage library to try them on.")
set(CPACK_DEBIAN_TOOLS_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/cmake/package/postinst
    ${PROJECT_SOURCE_DIR}/cmake/package/conffiles)
include(CPack)

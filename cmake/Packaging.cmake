# Debian packages (cpack -G DEB in the build folder), one per install component:
#   helvar         libhelvar4      the runtime library and its explanation files
#   helvar-dev     libhelvar-dev   headers, link name, pkg-config and CMake files, man page (3)
#   quorrel        libquorrel18    the explorer plug-in, named and versioned after its library
#   tools          orvane-tools    helvar, helvar-demo, sysvista-host, quorrel-debugconfig
#   simulators     orvane-simulators  the stand-ins of the outside components and their registry
#   python3-helvar python3-helvar  the Python binding
# Binaries are stripped into -dbgsym packages; every package carries its copyright, changelog and
# the lintian overrides of cmake/package/lintian/, each with its reason.
if(WIN32)
  return()
endif()

set(orv_package_dir ${PROJECT_SOURCE_DIR}/cmake/package)
set(orv_package_out ${CMAKE_BINARY_DIR}/package/deb)
set(orv_helvar_package libhelvar${ORV_HELVAR_SOVERSION})
set(orv_quorrel_package libquorrel${ORV_QUORREL_SOVERSION})

set(orv_package_components helvar helvar-dev quorrel tools simulators python3-helvar)
# The packages that carry lintian overrides (cmake/package/lintian/<component>).
set(orv_lintian_components helvar quorrel simulators)

# component:package:version
set(orv_packages
  helvar:${orv_helvar_package}:${ORV_HELVAR_VERSION}
  helvar-dev:libhelvar-dev:${ORV_HELVAR_VERSION}
  quorrel:${orv_quorrel_package}:${ORV_QUORREL_VERSION}
  tools:orvane-tools:${ORV_HELVAR_VERSION}
  simulators:orvane-simulators:${ORV_HELVAR_VERSION}
  python3-helvar:python3-helvar:${ORV_HELVAR_VERSION})

foreach(row IN LISTS orv_packages)
  string(REPLACE ":" ";" row "${row}")
  list(GET row 0 component)
  list(GET row 1 package)
  list(GET row 2 version)
  string(TOUPPER ${component} upper)
  set(CPACK_DEBIAN_${upper}_PACKAGE_NAME ${package})
  set(CPACK_DEBIAN_${upper}_PACKAGE_VERSION ${version})
  # Documentation every package carries: copyright, and a changelog of its own version.
  set(doc ${orv_package_out}/${package})
  set(orv_changelog_package ${package})
  set(orv_changelog_version ${version})
  configure_file(${orv_package_dir}/changelog.in ${doc}/changelog @ONLY)
  execute_process(COMMAND ${ORV_GZIP} -9nf ${doc}/changelog RESULT_VARIABLE gzipped)
  if(NOT gzipped EQUAL 0)
    message(FATAL_ERROR "cannot compress ${doc}/changelog")
  endif()
  install(FILES ${orv_package_dir}/copyright ${doc}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package}
          COMPONENT ${component})
  if(component IN_LIST orv_lintian_components)
    configure_file(${orv_package_dir}/lintian/${component} ${doc}/lintian/${package} @ONLY)
    install(FILES ${doc}/lintian/${package} DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
            COMPONENT ${component})
  endif()
endforeach()

# cmake/package/cpack/ holds CPack's per-package step with the package versions and the
# trigger-only maintainer scripts; the project's CPack file puts it first on the module path.
set(orv_cpack_project_file ${CMAKE_BINARY_DIR}/package/CPackProject.cmake)
file(WRITE ${orv_cpack_project_file} "list(PREPEND CMAKE_MODULE_PATH \"${orv_package_dir}/cpack\")\n")
set(CPACK_PROJECT_CONFIG_FILE ${orv_cpack_project_file})

set(CPACK_PACKAGE_NAME orvane)
set(CPACK_PACKAGE_VENDOR "Orvane")
set(CPACK_PACKAGE_VERSION ${ORV_HELVAR_VERSION})
set(CPACK_PACKAGE_CONTACT "Orvane digitizer software team <digitizer-software@orvane.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Side software of the Digiscan digitizer driver")
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL ${orv_package_components})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SOURCE orvane)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://orvane.invalid/digitizer")
# Stripped binaries; their debug information goes into <package>-dbgsym.
set(CPACK_DEBIAN_DEBUGINFO_PACKAGE ON)
# Dependencies on Debian's libraries are read off the binaries; ours are named below. The
# stand-ins belong to no installed package, so they add no dependency.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${ORV_OUT}/lib)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(helvar_depends "${orv_helvar_package} (= ${ORV_HELVAR_VERSION})")
set(quorrel_depends "${orv_quorrel_package} (= ${ORV_QUORREL_VERSION})")

# The maintainer scripts and control files of cmake/package/control/<component>/ ship with the
# package (the ldconfig triggers among them).
foreach(component IN LISTS orv_package_components)
  string(TOUPPER ${component} upper)
  file(GLOB extra ${orv_package_dir}/control/${component}/*)
  set(CPACK_DEBIAN_${upper}_PACKAGE_CONTROL_EXTRA ${extra})
endforeach()

set(CPACK_DEBIAN_HELVAR_DESCRIPTION
    "attribute configuration documents for Digiscan digitizer sessions
Helvar exports the user-set attributes of an IVI instrument session as a
versioned, schema-validated JSON document (a file or a buffer), imports such
a document after checking it against the session, and keeps an in-memory
snapshot for save and restore. Every failure is reported as a status with a
description in English, French, German, Japanese, Korean or Simplified
Chinese.
.
This package holds the shared library and its error explanation files.")
# The symbols file under the name dpkg gives it in a package.
configure_file(${orv_package_dir}/${orv_helvar_package}.symbols ${orv_package_out}/${orv_helvar_package}/symbols COPYONLY)
set(CPACK_DEBIAN_HELVAR_PACKAGE_CONTROL_EXTRA ${CPACK_DEBIAN_HELVAR_PACKAGE_CONTROL_EXTRA}
    ${orv_package_out}/${orv_helvar_package}/symbols)

set(CPACK_DEBIAN_HELVAR-DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_HELVAR-DEV_PACKAGE_DEPENDS "${helvar_depends}, ${quorrel_depends}")
set(CPACK_DEBIAN_HELVAR-DEV_DESCRIPTION
    "development files of Helvar and of the Quorrel plug-in interfaces
Headers (include/helvar), the link name, the pkg-config file helvar.pc and
the CMake packages Helvar (Helvar::Helvar) and Quorrel (Quorrel::Quorrel)
for building applications of Helvar and hosts of the explorer plug-in, with
the explorer, storage and platform interface headers (include/quorrel), the
document schema, the term tables and the Helvar(3) manual page.")

set(CPACK_DEBIAN_QUORREL_DESCRIPTION
    "digitizer expert plug-in of the Sysvista configuration explorer
Quorrel shows the digitizer devices of the explorer's storage library as
property bags and keeps two debug settings per device in a file shared by
all processes and users under a file lock. Devices added, removed or changed
in the storage, and hand edits of that file, reach the explorer as
notifications.
.
The explorer that loads the plug-in provides the storage and platform
libraries it links. Installing the package creates the shared folder of the
debug settings file, writable by every local user.")

set(CPACK_DEBIAN_TOOLS_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_TOOLS_PACKAGE_DEPENDS "${helvar_depends}, ${quorrel_depends}")
set(CPACK_DEBIAN_TOOLS_PACKAGE_RECOMMENDS "orvane-simulators (= ${ORV_HELVAR_VERSION})")
set(CPACK_DEBIAN_TOOLS_DESCRIPTION
    "command-line tools for Helvar documents and the Quorrel plug-in
helvar exports, imports, checks and describes attribute configuration
documents; quorrel-debugconfig reads and writes the plug-in's shared debug
settings file; sysvista-host loads the plug-in as the explorer does and lists
and edits its devices; helvar-demo walks through a session.
.
helvar-demo and sysvista-host link the engine and explorer libraries; without
the real ones, orvane-simulators provides them.")

set(CPACK_DEBIAN_SIMULATORS_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_SIMULATORS_DESCRIPTION
    "simulated IVI engine, digitizer driver and explorer for trying Helvar out
Stand-ins of every outside component of Helvar and Quorrel, under the names
of the real libraries: the IVI engine, the Digiscan digitizer driver, the
Sysvista explorer with its storage and platform libraries, the translator
manager, and a registry file naming their folders. They simulate devices in
memory, so the tools run on a machine without instruments.
.
Do not install this package beside the real components: it takes their
library names.")

set(CPACK_DEBIAN_PYTHON3-HELVAR_PACKAGE_SECTION python)
set(CPACK_DEBIAN_PYTHON3-HELVAR_PACKAGE_ARCHITECTURE all)
set(CPACK_DEBIAN_PYTHON3-HELVAR_PACKAGE_DEPENDS "python3, ${orv_helvar_package} (>= ${ORV_HELVAR_VERSION})")
set(CPACK_DEBIAN_PYTHON3-HELVAR_PACKAGE_SHLIBDEPS OFF)
set(CPACK_DEBIAN_PYTHON3-HELVAR_DEBUGINFO_PACKAGE OFF)
set(CPACK_DEBIAN_PYTHON3-HELVAR_DESCRIPTION
    "Python 3 binding of Helvar
Calls the exports of libHelvar from Python 3 to export, import, save and
restore the attribute configuration of an IVI session and to describe a
status.")

# CPack 3.25 writes its build paths into the -dbgsym packages' md5sums and gives them no
# documentation; a step after packing mends both (cmake/package/cpack/DebugPackages.cmake).
set(CPACK_POST_BUILD_SCRIPTS ${orv_package_dir}/cpack/DebugPackages.cmake)

include(CPack)

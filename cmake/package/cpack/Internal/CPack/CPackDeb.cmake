# CPack runs this file for each Debian package it makes (found before its own through the module
# path the project's CPack file sets). Two things CPack 3.25 cannot be told otherwise:
# - the version of each package (CPACK_DEBIAN_<COMPONENT>_PACKAGE_VERSION), since the plug-in is
#   versioned after its own library;
# - no ldconfig calls in generated maintainer scripts: the packages activate the ldconfig
#   trigger instead, as Debian asks.
if(CPACK_DEB_PACKAGE_COMPONENT)
  string(TOUPPER "${CPACK_DEB_PACKAGE_COMPONENT}" orv_component)
  if(DEFINED CPACK_DEBIAN_${orv_component}_PACKAGE_VERSION)
    set(CPACK_DEBIAN_PACKAGE_VERSION "${CPACK_DEBIAN_${orv_component}_PACKAGE_VERSION}")
  else()
    set(CPACK_DEBIAN_PACKAGE_VERSION "${CPACK_PACKAGE_VERSION}")
  endif()
endif()
include(${CMAKE_ROOT}/Modules/Internal/CPack/CPackDeb.cmake)
set(GEN_CPACK_DEBIAN_GENERATE_POSTINST 0)
set(GEN_CPACK_DEBIAN_GENERATE_POSTRM 0)

# The installed layout, fixed when the build is configured so that every prefix has the same
# tree below it: programs in bin/, libraries in the multiarch folder (lib/x86_64-linux-gnu), as
# Debian ships them. The run paths and the platform layer find an installation's parts from it.
# GNUInstallDirs chooses the multiarch folder only for the prefix /usr, and a build folder
# configured before keeps its "lib"; both give way to the multiarch folder once.
if(CMAKE_LIBRARY_ARCHITECTURE AND NOT WIN32 AND NOT ORV_INSTALL_LIBDIR_CHOSEN)
  if(NOT DEFINED CMAKE_INSTALL_LIBDIR OR CMAKE_INSTALL_LIBDIR STREQUAL "lib")
    set(CMAKE_INSTALL_LIBDIR lib/${CMAKE_LIBRARY_ARCHITECTURE} CACHE PATH "Object code libraries (lib)" FORCE)
  endif()
  set(ORV_INSTALL_LIBDIR_CHOSEN ON CACHE INTERNAL "The library folder was chosen once")
endif()
include(GNUInstallDirs)

# The installed layout, fixed when the build is configured so that every prefix has the same
# tree below it: programs in bin/, libraries in the multiarch folder (lib/x86_64-linux-gnu), as
# Debian ships them. The run paths and the platform layer find an installation's parts from it.
if(NOT DEFINED CMAKE_INSTALL_LIBDIR AND CMAKE_LIBRARY_ARCHITECTURE AND NOT WIN32)
  set(CMAKE_INSTALL_LIBDIR lib/${CMAKE_LIBRARY_ARCHITECTURE} CACHE PATH "Object code libraries (lib)")
endif()
include(GNUInstallDirs)

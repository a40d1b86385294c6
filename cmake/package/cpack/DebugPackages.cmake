# Run by CPack after it made the packages (CPACK_POST_BUILD_SCRIPTS). Each -dbgsym package is
# unpacked, given md5sums of its own files (CPack 3.25 lists them under its build paths), debug
# files of mode 0644, and the documentation folder of the package it belongs to (a link, as
# Debian's debug packages have), then packed again.
foreach(package_file IN LISTS CPACK_PACKAGE_FILES)
  if(NOT package_file MATCHES "\\.ddeb$")
    continue()
  endif()
  set(tree ${package_file}.tree)
  file(REMOVE_RECURSE ${tree})
  execute_process(COMMAND dpkg-deb -R ${package_file} ${tree} COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND dpkg-deb -f ${package_file} Package Depends OUTPUT_VARIABLE fields COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX MATCH "Package: ([^\n]+)" ignored "${fields}")
  set(package ${CMAKE_MATCH_1})
  string(REGEX REPLACE "-dbgsym$" "" owner "${package}")
  file(GLOB_RECURSE debug_files RELATIVE ${tree} ${tree}/usr/*)
  set(sums "")
  foreach(file IN LISTS debug_files)
    file(CHMOD ${tree}/${file} FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
    file(MD5 ${tree}/${file} sum)
    string(APPEND sums "${sum}  ${file}\n")
  endforeach()
  file(WRITE ${tree}/DEBIAN/md5sums "${sums}")
  file(MAKE_DIRECTORY ${tree}/usr/share/doc)
  file(CREATE_LINK ${owner} ${tree}/usr/share/doc/${package} SYMBOLIC)
  execute_process(COMMAND dpkg-deb --root-owner-group -Zxz --build ${tree} ${package_file}
                  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE ${tree})
endforeach()

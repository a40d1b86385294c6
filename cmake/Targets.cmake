# A library whose sources are globbed; while a folder is still empty it is an interface target, so
# the build generates and the targets that link it need no special case.
function(orv_library name kind)
  if(ARGN)
    add_library(${name} ${kind} ${ARGN})
  else()
    add_library(${name} INTERFACE)
  endif()
endfunction()

# PUBLIC for real libraries, INTERFACE for empty ones.
function(orv_scope name out)
  get_target_property(type ${name} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    set(${out} INTERFACE PARENT_SCOPE)
  else()
    set(${out} PUBLIC PARENT_SCOPE)
  endif()
endfunction()

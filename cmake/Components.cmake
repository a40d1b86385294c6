# One library per component folder of src/, with the components it may use written out:
#
#   orv_component(<name> [HEADERS_ONLY] [SHARED <target>] [TARGET <target>] [SOURCES <files>...]
#                 [DEPS <components>...] [LIBS <other targets>...])
#
# <name> is the folder's name. Without SOURCES the folder's .cpp files are globbed (buildtime/
# excepted). DEPS name components: `platform` and `orverr` from src/common, the rest from the same
# library (orverr resolves to the library's own copy). LIBS are outside libraries and stand-ins.
#
# A component sees the headers of its DEPS (and theirs) only: each one's include root holds a
# single link, <build>/inc/<target>/<library>/<name> -> src/<library>/<name>, and src/ itself is on
# no component's path; an include against the layers does not compile. SHARED makes the library's
# exports out of the folder (its root and DEPS private, they are not part of the installed target).
# The graph goes to <build>/components.txt once every component is known (orv_write_components).
# The global property ORV_STATIC_COMPONENTS lists the static libraries (for build-wide flags).

set(ORV_INCLUDE_ROOTS ${CMAKE_BINARY_DIR}/inc)
set(ORV_COMMON_COMPONENTS platform orverr)

function(orv_component_target library dep out)
  if(dep STREQUAL "platform")
    set(${out} orv_platform PARENT_SCOPE)
  elseif(dep STREQUAL "orverr")
    set(${out} orverr_${library} PARENT_SCOPE)
  else()
    set(${out} ${library}_${dep} PARENT_SCOPE)
  endif()
endfunction()

function(orv_component name)
  cmake_parse_arguments(C "HEADERS_ONLY" "SHARED;TARGET;LIBRARY" "SOURCES;DEPS;LIBS" ${ARGN})
  get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  get_filename_component(library_dir ${CMAKE_CURRENT_SOURCE_DIR} DIRECTORY)
  get_filename_component(library ${library_dir} NAME)
  if(NOT folder STREQUAL name)
    message(FATAL_ERROR "orv_component(${name}) is called in the folder ${folder}")
  endif()
  # The library whose copy of a shared component this is (orverr), else the folder's.
  set(owner ${library})
  if(C_LIBRARY)
    set(owner ${C_LIBRARY})
  endif()
  if(C_SHARED)
    set(target ${C_SHARED})
  elseif(C_TARGET)
    set(target ${C_TARGET})
  else()
    orv_component_target(${owner} ${name} target)
  endif()

  if(NOT C_SOURCES AND NOT C_HEADERS_ONLY)
    file(GLOB_RECURSE C_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    list(FILTER C_SOURCES EXCLUDE REGEX "/buildtime/")
  endif()
  if(C_HEADERS_ONLY)
    if(C_SOURCES)
      message(FATAL_ERROR "The component ${library}/${name} is declared HEADERS_ONLY but has sources: ${C_SOURCES}")
    endif()
    add_library(${target} INTERFACE)
    set(scope INTERFACE)
  elseif(C_SHARED)
    add_library(${target} SHARED ${C_SOURCES})
    set(scope PRIVATE)
  else()
    add_library(${target} STATIC ${C_SOURCES})
    set(scope PUBLIC)
    set_property(GLOBAL APPEND PROPERTY ORV_STATIC_COMPONENTS ${target})
  endif()

  # The include root: one link to this folder, nothing else.
  set(root ${ORV_INCLUDE_ROOTS}/${target})
  file(MAKE_DIRECTORY ${root}/${library})
  file(REMOVE ${root}/${library}/${name})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${library}/${name} SYMBOLIC)
  target_include_directories(${target} ${scope} ${root})
  # Raise sites in headers name them by their place in the tree, as those in sources do; the
  # second form is the one ccache hands the compiler (relative to the build folder).
  file(RELATIVE_PATH relative_root ${CMAKE_BINARY_DIR} ${root})
  target_compile_options(${target} ${scope} -fmacro-prefix-map=${root}/=src/
                         -fmacro-prefix-map=${relative_root}/=src/)

  set(dep_targets)
  foreach(dep ${C_DEPS})
    orv_component_target(${owner} ${dep} dep_target)
    list(APPEND dep_targets ${dep_target})
  endforeach()
  target_link_libraries(${target} ${scope} ${dep_targets} ${C_LIBS})

  set_property(GLOBAL APPEND PROPERTY ORV_COMPONENT_TARGETS ${target})
  set_property(GLOBAL PROPERTY ORV_COMPONENT_${target}_NAME ${library}/${name})
  set_property(GLOBAL PROPERTY ORV_COMPONENT_${target}_DEPS ${C_DEPS})
  set_property(GLOBAL PROPERTY ORV_COMPONENT_${target}_DEP_TARGETS ${dep_targets})
  if(NOT C_SHARED AND NOT library STREQUAL "common")
    set_property(GLOBAL APPEND PROPERTY ORV_${library}_COMPONENTS ${target})
  endif()
endfunction()

# orv_aggregate(<target> <library>): every static component of the library, for the programs
# (tests, tools, benchmarks, fuzz targets) that reach inside it.
function(orv_aggregate target library)
  get_property(components GLOBAL PROPERTY ORV_${library}_COMPONENTS)
  add_library(${target} INTERFACE)
  target_link_libraries(${target} INTERFACE ${components})
endfunction()

# Checks that every DEP is a component and that the graph has no cycle, and writes it, lowest layer
# first, one line per component: "<library>/<name>: <its DEPS>". docs/architecture.md holds a copy
# that the test "architecture_components" compares with this file.
function(orv_write_components file)
  get_property(targets GLOBAL PROPERTY ORV_COMPONENT_TARGETS)
  foreach(t ${targets})
    get_property(deps GLOBAL PROPERTY ORV_COMPONENT_${t}_DEP_TARGETS)
    get_property(name GLOBAL PROPERTY ORV_COMPONENT_${t}_NAME)
    foreach(d ${deps})
      if(NOT d IN_LIST targets)
        message(FATAL_ERROR "The component ${name} depends on ${d}, which is no component")
      endif()
    endforeach()
  endforeach()
  # Layers: a component lies one above the highest of its DEPS. Each pass places the components
  # whose DEPS are all placed; a pass that places nothing has found a cycle.
  set(placed)
  set(layer 0)
  set(lines)
  set(left ${targets})
  while(left)
    set(this_layer)
    foreach(t ${left})
      get_property(deps GLOBAL PROPERTY ORV_COMPONENT_${t}_DEP_TARGETS)
      set(ready TRUE)
      foreach(d ${deps})
        if(NOT d IN_LIST placed)
          set(ready FALSE)
        endif()
      endforeach()
      if(ready)
        list(APPEND this_layer ${t})
      endif()
    endforeach()
    if(NOT this_layer)
      set(cycle)
      foreach(t ${left})
        get_property(name GLOBAL PROPERTY ORV_COMPONENT_${t}_NAME)
        list(APPEND cycle ${name})
      endforeach()
      list(JOIN cycle " " cycle)
      message(FATAL_ERROR "The component DEPS form a cycle among: ${cycle}")
    endif()
    set(names)
    foreach(t ${this_layer})
      get_property(name GLOBAL PROPERTY ORV_COMPONENT_${t}_NAME)
      get_property(deps GLOBAL PROPERTY ORV_COMPONENT_${t}_DEPS)
      list(SORT deps)
      list(JOIN deps " " deps)
      string(STRIP "${name}: ${deps}" line)
      list(APPEND names "${line}")
    endforeach()
    # orverr is one component compiled once per library.
    list(REMOVE_DUPLICATES names)
    list(SORT names)
    list(APPEND lines "layer ${layer}" ${names})
    list(APPEND placed ${this_layer})
    list(REMOVE_ITEM left ${this_layer})
    math(EXPR layer "${layer} + 1")
  endwhile()
  list(JOIN lines "\n" text)
  file(WRITE ${file}.part "${text}\n")
  file(COPY_FILE ${file}.part ${file} ONLY_IF_DIFFERENT)
endfunction()

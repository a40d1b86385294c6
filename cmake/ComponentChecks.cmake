# Tests of the build's own architecture:
# - component_layers.<probe>: a source that includes a header through a component's include
#   roots compiles when the header's component is among the DEPS (or theirs), and does not when it
#   is not; each probe is built on its own (never by "all") through the build tool.
# - architecture_components: every include of another component names one of the includer's own
#   DEPS, and the component graph of docs/architecture.md is the one the build declares
#   (<build>/components.txt).

# <probe>:<component target>:<header>:<allowed|refused>
set(orv_layer_probes
  declared_dep:helvar_miivi:helvar/orvmxl/TranslateStatus.h:allowed
  dep_of_a_dep:helvar_miivi:helvar/orvxlator/Session.h:allowed
  layer_above:helvar_miivi:helvar/impexp/ImportExportSession.h:refused
  plugin_of_the_framework:helvar_orvxlator:helvar/orvxlatorlua/LuaXlator.h:refused
  expert_in_the_store:quorrel_debugconfig:quorrel/expertbase/DeviceRules.h:refused
  other_library:quorrel_sysapicpp:helvar/miivi/SessionBase.h:refused)
foreach(row IN LISTS orv_layer_probes)
  string(REPLACE ":" ";" row "${row}")
  list(GET row 0 probe)
  list(GET row 1 component)
  list(GET row 2 header)
  list(GET row 3 expectation)
  set(target orv_layer_probe_${probe})
  add_library(${target} OBJECT EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/checks/LayerProbe.cpp)
  target_link_libraries(${target} PRIVATE ${component})
  target_compile_definitions(${target} PRIVATE ORV_PROBE_HEADER="${header}")
  add_test(NAME component_layers.${probe}
           COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target ${target})
  # One build tool at a time in the build folder.
  set_tests_properties(component_layers.${probe} PROPERTIES RESOURCE_LOCK orv_build_folder)
  if(expectation STREQUAL "refused")
    string(REPLACE "." "\\." pattern "${header}")
    # gcc: "<header>: No such file or directory"; clang: "'<header>' file not found".
    set_tests_properties(component_layers.${probe} PROPERTIES
                         PASS_REGULAR_EXPRESSION "${pattern}'?:? (No such file or directory|file not found)")
  endif()
endforeach()

add_test(NAME architecture_components
         COMMAND ${CMAKE_COMMAND} -DGRAPH=${CMAKE_BINARY_DIR}/components.txt
                 -DDOCUMENT=${PROJECT_SOURCE_DIR}/docs/architecture.md -DSOURCES=${PROJECT_SOURCE_DIR}/src
                 -P ${CMAKE_CURRENT_LIST_DIR}/checks/CheckComponentGraph.cmake)

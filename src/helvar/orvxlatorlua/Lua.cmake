# The Lua translator's build: its embedded scripts and its term tables. Lua 5.1, lua-cjson,
# LuaFileSystem, dkjson and the interpreter are found by cmake/Dependencies.cmake. Included by
# this folder's CMakeLists.txt.

# The generated sources and headers are this component's own: on its private include path only.
set(lua_generated_dir ${CMAKE_CURRENT_BINARY_DIR}/generated)
target_include_directories(helvar_orvxlatorlua PRIVATE ${lua_generated_dir})

# Scripts are compiled to bytecode at build time (about six times faster to load than to parse)
# and embedded as bytes; the chunk name is the script's file name.
set(lua_scripts ${CMAKE_CURRENT_LIST_DIR}/scripts)
set(lua_buildtime ${CMAKE_CURRENT_LIST_DIR}/buildtime)
file(MAKE_DIRECTORY ${lua_generated_dir}/helvar/orvxlatorlua)
# helvar_embed_script(<source> <file name in the library> <header name> <symbol>)
function(helvar_embed_script input file_name header symbol)
  set(bytecode ${lua_generated_dir}/helvar/orvxlatorlua/${file_name}c)
  set(output ${lua_generated_dir}/helvar/orvxlatorlua/${header})
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${LUA51_INTERPRETER} ${lua_buildtime}/Precompile.lua ${input} ${bytecode} =${file_name}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${bytecode} -DOUTPUT=${output} -DSYMBOL=${symbol}
            -P ${lua_buildtime}/EmbedBinary.cmake
    DEPENDS ${input} ${lua_buildtime}/Precompile.lua ${lua_buildtime}/EmbedBinary.cmake
    COMMENT "Compiling ${file_name}"
    VERBATIM)
  target_sources(helvar_orvxlatorlua PRIVATE ${output})
endfunction()
helvar_embed_script(${DKJSON_LUA} json.lua GeneratedJson.h kJsonLua)
helvar_embed_script(${CJSON_UTIL_LUA} util.lua GeneratedUtil.h kUtilLua)
helvar_embed_script(${lua_scripts}/orvmxl_defaultAttrTable.lua orvmxl_defaultAttrTable.lua
                    GeneratedOrvmxlDefaultAttrTable.h kOrvmxlDefaultAttrTableLua)
helvar_embed_script(${lua_scripts}/mxlator.lua mxlator.lua GeneratedMxlator.h kMxlatorLua)
helvar_embed_script(${lua_scripts}/orvmxl_utilities.lua orvmxl_utilities.lua GeneratedOrvmxlUtilities.h
                    kOrvmxlUtilitiesLua)
helvar_embed_script(${lua_scripts}/orvxlatorlua.lua orvxlatorlua.lua GeneratedOrvxlatorlua.h kOrvxlatorluaLua)

# Term tables: UTF-8 sources converted to each language's code page by a build-time program.
if(CMAKE_CROSSCOMPILING)
  # A host program: built at configure time with the build machine's compiler and its posix
  # code pages (iconv), so that the tables match the Linux build's byte for byte.
  find_program(ORV_HOST_CXX NAMES c++ g++ REQUIRED NO_CMAKE_FIND_ROOT_PATH)
  set(term_generator ${CMAKE_BINARY_DIR}/host/orv_term_table_generator)
  set(term_generator_sources ${CMAKE_CURRENT_LIST_DIR}/buildtime/TermTableGenerator.cpp
      ${PROJECT_SOURCE_DIR}/src/common/platform/posix/CodePage.cpp)
  # The code pages come from the description languages' header.
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${term_generator_sources}
               ${PROJECT_SOURCE_DIR}/src/helvar/orvxlator/Languages.h)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/host)
  execute_process(
    COMMAND ${ORV_HOST_CXX} -std=c++17 -O1 -I${PROJECT_SOURCE_DIR}/src ${term_generator_sources} -o ${term_generator}
    RESULT_VARIABLE host_result ERROR_VARIABLE host_errors)
  if(NOT host_result EQUAL 0)
    message(FATAL_ERROR "Host term table generator: ${host_errors}")
  endif()
  set(term_generator_depends ${term_generator})
else()
  add_executable(orv_term_table_generator ${CMAKE_CURRENT_LIST_DIR}/buildtime/TermTableGenerator.cpp)
  # It reads the languages' table of the framework; nothing of it is linked.
  target_link_libraries(orv_term_table_generator PRIVATE orv_platform)
  target_include_directories(orv_term_table_generator PRIVATE
                             $<TARGET_PROPERTY:helvar_orvxlator,INTERFACE_INCLUDE_DIRECTORIES>)
  set(term_generator orv_term_table_generator)
  set(term_generator_depends orv_term_table_generator)
endif()
# One table per source, named after its language; the generator takes each language's code page
# from the description languages. A source that appears later reconfigures the build.
file(GLOB term_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/terms/commonTerms_*.tsv)
set(term_output ${lua_generated_dir}/helvar/orvxlatorlua/GeneratedTermTables.cpp)
add_custom_command(
  OUTPUT ${term_output}
  COMMAND ${term_generator} ${term_output} ${term_sources}
  DEPENDS ${term_generator_depends} ${term_sources}
  COMMENT "Generating the term tables"
  VERBATIM)
target_sources(helvar_orvxlatorlua PRIVATE ${term_output})

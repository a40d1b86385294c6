# The Lua translator: Lua 5.1 with lua-cjson and LuaFileSystem (the shared libraries: Debian's
# static archives are not position independent), the embedded scripts and the term tables.
# Included by src/helvar/CMakeLists.txt after Generated.cmake.

find_library(LUA51_CJSON_LIBRARY NAMES lua5.1-cjson REQUIRED)
find_library(LUA51_LFS_LIBRARY NAMES lua5.1-filesystem REQUIRED)
find_file(DKJSON_LUA dkjson.lua PATHS /usr/share/lua/5.1 NO_DEFAULT_PATH REQUIRED)
find_file(CJSON_UTIL_LUA util.lua PATHS /usr/share/lua/5.1/cjson NO_DEFAULT_PATH REQUIRED)
target_link_libraries(helvar_core PUBLIC orv_lua ${LUA51_CJSON_LIBRARY} ${LUA51_LFS_LIBRARY})

set(lua_scripts ${CMAKE_CURRENT_LIST_DIR}/scripts)
helvar_embed_text(${DKJSON_LUA} helvar/orvxlatorlua/GeneratedJson.h kJsonLua)
helvar_embed_text(${CJSON_UTIL_LUA} helvar/orvxlatorlua/GeneratedUtil.h kUtilLua)
helvar_embed_text(${lua_scripts}/orvmxl_defaultAttrTable.lua helvar/orvxlatorlua/GeneratedOrvmxlDefaultAttrTable.h
                  kOrvmxlDefaultAttrTableLua)
helvar_embed_text(${lua_scripts}/mxlator.lua helvar/orvxlatorlua/GeneratedMxlator.h kMxlatorLua)
helvar_embed_text(${lua_scripts}/orvmxl_utilities.lua helvar/orvxlatorlua/GeneratedOrvmxlUtilities.h
                  kOrvmxlUtilitiesLua)
helvar_embed_text(${lua_scripts}/orvxlatorlua.lua helvar/orvxlatorlua/GeneratedOrvxlatorlua.h kOrvxlatorluaLua)

# Term tables: UTF-8 sources converted to each language's code page by a build-time program.
add_executable(orv_term_table_generator ${CMAKE_CURRENT_LIST_DIR}/buildtime/TermTableGenerator.cpp)
target_link_libraries(orv_term_table_generator PRIVATE orv_platform)
# A source that appears later reconfigures the build.
file(GLOB term_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/terms/*.tsv)
set(term_arguments)
foreach(entry eng:0 jpn:932 fra:1252 deu:1252)
  string(REPLACE ":" ";" pair ${entry})
  list(GET pair 0 language)
  list(GET pair 1 code_page)
  list(APPEND term_arguments ${language} ${code_page} ${PROJECT_SOURCE_DIR}/data/terms/commonTerms_${language}.tsv)
endforeach()
file(MAKE_DIRECTORY ${ORV_GENERATED_DIR}/helvar/orvxlatorlua)
set(term_output ${ORV_GENERATED_DIR}/helvar/orvxlatorlua/GeneratedTermTables.cpp)
add_custom_command(
  OUTPUT ${term_output}
  COMMAND orv_term_table_generator ${term_output} ${term_arguments}
  DEPENDS orv_term_table_generator ${term_sources}
  COMMENT "Generating the term tables"
  VERBATIM)
target_sources(helvar_core PRIVATE ${term_output})

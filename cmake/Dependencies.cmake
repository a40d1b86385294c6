# Debian's packages of the outside libraries, found without their (absent or partial) CMake configs.
find_path(RAPIDJSON_INCLUDE_DIR rapidjson/document.h REQUIRED)
add_library(orv_rapidjson INTERFACE)
target_include_directories(orv_rapidjson SYSTEM INTERFACE ${RAPIDJSON_INCLUDE_DIR})
# Iterative parsing keeps untrusted documents from exhausting the stack.
target_compile_definitions(orv_rapidjson INTERFACE RAPIDJSON_HAS_STDSTRING=1)

find_path(CJSON_INCLUDE_DIR cjson/cJSON.h REQUIRED)
find_library(CJSON_LIBRARY cjson REQUIRED)
add_library(orv_cjson INTERFACE)
target_include_directories(orv_cjson SYSTEM INTERFACE ${CJSON_INCLUDE_DIR})
target_link_libraries(orv_cjson INTERFACE ${CJSON_LIBRARY})
if(WIN32)
  # The Windows build links cJSON statically: no DLL of ours re-exports its names.
  target_compile_definitions(orv_cjson INTERFACE CJSON_HIDE_SYMBOLS)
endif()

find_path(LUA51_INCLUDE_DIR lua.h PATHS /usr/include/lua5.1 NO_DEFAULT_PATH)
find_library(LUA51_LIBRARY NAMES lua5.1)
if(LUA51_INCLUDE_DIR AND LUA51_LIBRARY)
  add_library(orv_lua INTERFACE)
  target_include_directories(orv_lua SYSTEM INTERFACE ${LUA51_INCLUDE_DIR})
  target_link_libraries(orv_lua INTERFACE ${LUA51_LIBRARY})
endif()

add_library(orv_boost INTERFACE)
target_include_directories(orv_boost SYSTEM INTERFACE ${Boost_INCLUDE_DIRS})

# Debian's packages of the outside libraries and build tools, found without their (absent or
# partial) CMake configs. Every one is required: what is missing stops the configure step with one
# message that names the packages to install (scripts/bootstrap.sh installs them all; the Windows
# build's own are made by scripts/test-windows.sh).
set(orv_missing_packages)
# orv_require(<variable> <Debian package>): the package is missing when the find left the
# variable unset.
macro(orv_require variable package)
  if(NOT ${variable})
    list(APPEND orv_missing_packages "${package} (${variable})")
  endif()
endmacro()

find_package(Boost 1.74)
orv_require(Boost_FOUND libboost-dev)

find_path(RAPIDJSON_INCLUDE_DIR rapidjson/document.h)
orv_require(RAPIDJSON_INCLUDE_DIR rapidjson-dev)

find_path(CJSON_INCLUDE_DIR cjson/cJSON.h)
find_library(CJSON_LIBRARY cjson)
orv_require(CJSON_INCLUDE_DIR libcjson-dev)
orv_require(CJSON_LIBRARY libcjson-dev)

# Lua 5.1 with lua-cjson and LuaFileSystem (the shared libraries: Debian's static archives are not
# position independent), dkjson and lua-cjson's util.lua embedded as scripts, and the interpreter
# that compiles the scripts at build time.
find_path(LUA51_INCLUDE_DIR lua.h PATHS /usr/include/lua5.1 NO_DEFAULT_PATH)
find_library(LUA51_LIBRARY NAMES lua5.1)
find_library(LUA51_CJSON_LIBRARY NAMES lua5.1-cjson)
find_library(LUA51_LFS_LIBRARY NAMES lua5.1-filesystem)
orv_require(LUA51_INCLUDE_DIR liblua5.1-0-dev)
orv_require(LUA51_LIBRARY liblua5.1-0-dev)
orv_require(LUA51_CJSON_LIBRARY lua-cjson-dev)
orv_require(LUA51_LFS_LIBRARY lua-filesystem-dev)
# The scripts and the interpreter are the build machine's, also when cross-compiling.
find_file(DKJSON_LUA dkjson.lua PATHS /usr/share/lua/5.1 NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
find_file(CJSON_UTIL_LUA util.lua PATHS /usr/share/lua/5.1/cjson NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
find_program(LUA51_INTERPRETER lua5.1)
orv_require(DKJSON_LUA lua-dkjson)
orv_require(CJSON_UTIL_LUA lua-cjson)
orv_require(LUA51_INTERPRETER lua5.1)

# The explanation files are converted to their code pages at build time.
find_program(ICONV iconv)
orv_require(ICONV libc-bin)
if(NOT WIN32)
  # The check of Helvar's exports against its symbols file (cmake/Exports.cmake).
  find_program(ORV_DPKG_GENSYMBOLS dpkg-gensymbols)
  orv_require(ORV_DPKG_GENSYMBOLS dpkg-dev)
endif()
if(ORV_BUILD_BENCH)
  find_package(benchmark)
  orv_require(benchmark_FOUND libbenchmark-dev)
endif()

if(orv_missing_packages)
  list(JOIN orv_missing_packages "\n  " missing)
  message(FATAL_ERROR "Missing build dependencies; install these Debian packages "
                      "(bash scripts/bootstrap.sh installs every one the build needs):\n  ${missing}")
endif()

add_library(orv_rapidjson INTERFACE)
target_include_directories(orv_rapidjson SYSTEM INTERFACE ${RAPIDJSON_INCLUDE_DIR})
# Iterative parsing keeps untrusted documents from exhausting the stack.
target_compile_definitions(orv_rapidjson INTERFACE RAPIDJSON_HAS_STDSTRING=1)

add_library(orv_cjson INTERFACE)
target_include_directories(orv_cjson SYSTEM INTERFACE ${CJSON_INCLUDE_DIR})
target_link_libraries(orv_cjson INTERFACE ${CJSON_LIBRARY})
if(WIN32)
  # The Windows build links cJSON statically: no DLL of ours re-exports its names.
  target_compile_definitions(orv_cjson INTERFACE CJSON_HIDE_SYMBOLS)
endif()

add_library(orv_lua INTERFACE)
target_include_directories(orv_lua SYSTEM INTERFACE ${LUA51_INCLUDE_DIR})
target_link_libraries(orv_lua INTERFACE ${LUA51_LIBRARY})

add_library(orv_boost INTERFACE)
target_include_directories(orv_boost SYSTEM INTERFACE ${Boost_INCLUDE_DIRS})

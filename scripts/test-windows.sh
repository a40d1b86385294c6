#!/usr/bin/env bash
# Builds the whole tree as 64-bit Windows binaries with mingw-w64 and runs the suite under wine.
#   scripts/test-windows.sh [build-dir] [ctest arguments...]
# The dependencies are built once into <build-dir>/deps; the system's apt configuration and the
# Linux toolchain are left alone.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$here/build-win64}"
shift || true
jobs="${ORV_WIN_JOBS:-2}"
triple=x86_64-w64-mingw32
cc=$triple-gcc-posix
cxx=$triple-g++-posix

bash "$here/scripts/bootstrap.sh" gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev wine64 \
  dpkg-dev
export PATH="$PATH:/usr/lib/wine"

deps="$build/deps"
prefix="$deps/prefix"
mkdir -p "$prefix/include" "$prefix/lib"
# Find modules that look under /usr/include/... find it below the prefix too.
[ -e "$prefix/usr" ] || ln -s . "$prefix/usr"

# Header-only libraries: links to Debian's headers, never the whole /usr/include.
for h in boost rapidjson; do
  [ -e "$prefix/include/$h" ] || ln -s "/usr/include/$h" "$prefix/include/$h"
done

# Debian's source packages, fetched with a private apt configuration that adds source lines
# for the archives the system already uses.
fetch_sources() {
  local apt="$deps/apt"
  mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$apt/sources.list.d"
  : >"$apt/sources.list"
  if compgen -G "/etc/apt/sources.list.d/*.sources" >/dev/null; then
    for f in /etc/apt/sources.list.d/*.sources; do
      sed -E 's/^Types:.*/Types: deb-src/' "$f" >"$apt/sources.list.d/$(basename "$f")"
    done
  fi
  if [ -f /etc/apt/sources.list ]; then
    sed -nE 's/^deb(\s)/deb-src\1/p' /etc/apt/sources.list >"$apt/sources.list"
  fi
  local opts=(-o "Dir::Etc::sourcelist=$apt/sources.list" -o "Dir::Etc::sourceparts=$apt/sources.list.d"
              -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache" -o "Debug::NoLocking=1")
  apt-get "${opts[@]}" update -qq
  (cd "$deps/src" && apt-get "${opts[@]}" source -qq "$@")
}

if [ ! -f "$deps/src/.fetched" ]; then
  rm -rf "$deps/src"
  mkdir -p "$deps/src"
  fetch_sources cjson lua5.1 lua-filesystem lua-cjson >"$deps/fetch.log" 2>&1 || { cat "$deps/fetch.log"; exit 1; }
  touch "$deps/src/.fetched"
fi
srcdir() { find "$deps/src" -maxdepth 1 -mindepth 1 -type d -name "$1-*" | head -n1; }

# Static libraries, so that no library exports a dependency's names.
build_static() {  # name objdir sources... (compiled with $cflags)
  local name="$1" obj="$2"
  shift 2
  rm -rf "$obj"
  mkdir -p "$obj"
  for s in "$@"; do
    $cc $cflags -w -c "$s" -o "$obj/$(basename "${s%.c}").o"
  done
  $triple-ar rcs "$prefix/lib/lib$name.a" "$obj"/*.o
}

if [ ! -f "$prefix/lib/libcjson.a" ]; then
  s="$(srcdir cjson)"
  mkdir -p "$prefix/include/cjson"
  cp "$s/cJSON.h" "$prefix/include/cjson/"
  cflags="-O2 -DCJSON_HIDE_SYMBOLS" build_static cjson "$deps/obj/cjson" "$s/cJSON.c"
fi
if [ ! -f "$prefix/lib/liblua5.1.a" ]; then
  s="$(srcdir lua5.1)"
  mkdir -p "$prefix/include/lua5.1"
  cp "$s"/src/{lua.h,luaconf.h,lualib.h,lauxlib.h} "$s"/etc/lua.hpp "$prefix/include/lua5.1/"
  lua_sources=()
  for f in "$s"/src/*.c; do
    case "$(basename "$f")" in lua.c|luac.c|print.c) ;; *) lua_sources+=("$f") ;; esac
  done
  cflags="-O2" build_static lua5.1 "$deps/obj/lua" "${lua_sources[@]}"
fi
# The Lua modules under Debian's library and header names, linked into the program that opens them.
if [ ! -f "$prefix/lib/liblua5.1-filesystem.a" ]; then
  s="$(srcdir lua-filesystem)"
  cp "$s/src/lfs.h" "$prefix/include/lua5.1/"
  cflags="-O2 -I$prefix/include/lua5.1" build_static lua5.1-filesystem "$deps/obj/lfs" "$s/src/lfs.c"
fi
if [ ! -f "$prefix/lib/liblua5.1-cjson.a" ]; then
  s="$(srcdir lua-cjson)"
  # Debian generates this header at package build time.
  printf 'extern int luaopen_cjson(lua_State*);\n' >"$prefix/include/lua5.1/lua-cjson.h"
  cflags="-O2 -I$prefix/include/lua5.1" build_static lua5.1-cjson "$deps/obj/luacjson" "$s"/{lua_cjson,strbuf,fpconv}.c
fi
if [ ! -f "$prefix/lib/cmake/GTest/GTestConfig.cmake" ]; then
  cmake -S /usr/src/googletest -B "$deps/googletest" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$here/cmake/toolchains/mingw64.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -Dgtest_disable_pthreads=OFF >/dev/null
  cmake --build "$deps/googletest" -j"$jobs" --target install >/dev/null
fi

launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR="$here" CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$here" -B "$build" -G Ninja "${launcher[@]}" \
  -DCMAKE_TOOLCHAIN_FILE="$here/cmake/toolchains/mingw64.cmake" -DORV_WIN_PREFIX="$prefix" \
  -DBoost_INCLUDE_DIR="$prefix/include" -DBoost_NO_BOOST_CMAKE=ON >/dev/null
cmake --build "$build" -j"$jobs"

# A wine prefix of the build's own, started once so that each test does not wait for it.
export WINEPREFIX="$build/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# The programs find the DLLs beside them; the compiler's thread library is also on the path.
export WINEPATH="/usr/$triple/lib"
# A server that stays up between the test programs (it fails only when one is already running).
wineserver -p || true
trap 'wineserver -k || true' EXIT
# Creates or updates the prefix and starts its services here, outside ctest: started by the first
# test program, they would inherit its output pipe and hold it open past the program's end.
wine64 wineboot >/dev/null 2>&1
# Now and then wine fails to start a program at all (no output, or "wine client error"); a test
# that fails is run once more, so only a failure that repeats fails the run.
ctest --test-dir "$build" -j"$jobs" --timeout 300 --output-on-failure --repeat until-pass:2 "$@"

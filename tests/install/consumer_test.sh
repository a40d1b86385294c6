#!/usr/bin/env bash
# consumer_test.sh BUILD CONSUMER_SOURCE SCRATCH [SANITIZERS]
set -euo pipefail
build="$1" source="$2" scratch="$3" sanitize="${4:-}"
# A library built with sanitizers needs their run time in the program that loads it.
flags=""
[ -n "$sanitize" ] && flags="-fsanitize=$sanitize"
rm -rf "$scratch"
prefix="$scratch/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
libdir="$(dirname "$(find "$prefix" -name 'libHelvar.so' | head -1)")"

# The libraries carry their SONAMEs and the link names point at them.
objdump -p "$libdir/libHelvar.so" | grep -q 'SONAME *libHelvar\.so\.[0-9]' || { echo "libHelvar has no versioned SONAME"; exit 1; }
[ -L "$libdir/libHelvar.so" ] || { echo "libHelvar.so is not a link name"; exit 1; }
[ -f "$prefix/include/helvar/Helvar.h" ] && [ -f "$prefix/include/quorrel/explorer/QuorrelExports.h" ] || { echo "headers missing"; exit 1; }
[ ! -e "$prefix/include/Helvar.h" ] && [ ! -e "$prefix/include/orvane" ] || { echo "headers at the old paths"; exit 1; }

# CMake package.
cmake -S "$source" -B "$scratch/cmake-build" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" >/dev/null
cmake --build "$scratch/cmake-build" >/dev/null
LD_LIBRARY_PATH="$libdir" "$scratch/cmake-build/consumer"
LD_LIBRARY_PATH="$libdir" "$scratch/cmake-build/host"

# pkg-config.
export PKG_CONFIG_PATH="$libdir/pkgconfig"
[ "$(pkg-config --modversion helvar)" = "$(sed -n 's/^Version: //p' "$libdir/pkgconfig/helvar.pc")" ]
cc $flags -o "$scratch/pc-consumer" "$source/consumer.c" $(pkg-config --cflags --libs helvar)
LD_LIBRARY_PATH="$libdir" "$scratch/pc-consumer"
# The installed tools describe a code from the installed explanation files, through the
# registry file the installation wrote.
ORV_REGISTRY_FILE="$prefix/etc/orvane/registry.reg" LD_LIBRARY_PATH="$libdir" \
  "$prefix/bin/helvar" describe -1074100298 --lang 3 >/dev/null || { echo "installed helvar cannot describe a code"; exit 1; }
[ -f "$prefix/share/man/man1/helvar.1.gz" ] && [ -L "$prefix/share/man/man3/Helvar_Initialize.3.gz" ] || { echo "man pages missing"; exit 1; }
# Every tool's bash completion is installed where bash-completion looks, and defines it.
for tool in helvar sysvista-host quorrel-debugconfig; do
  completion="$prefix/share/bash-completion/completions/$tool"
  bash -c 'source "$1" && complete -p "$2" >/dev/null' _ "$completion" "$tool" || { echo "no completion for $tool"; exit 1; }
done
echo "consumer: both ways built and ran against $prefix"

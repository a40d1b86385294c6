#!/usr/bin/env bash
# prefix_scenarios_test.sh BUILD SOURCE SCRATCH
# Installs the build under a fresh prefix (with a space in its path) and runs the main job's
# scenarios with the installed tools alone: no library path, registry file, system or data folder
# from the environment. The installation must find its libraries, the engine, the driver, the
# explorer's libraries and its registry file from where it lies.
set -euo pipefail
build="$1" source="$2" scratch="$3"
rm -rf "$scratch"
prefix="$scratch/any prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
mkdir -p "$scratch/work"
log="$scratch/scenarios.log"
status=0
env -u LD_LIBRARY_PATH -u ORV_REGISTRY_FILE -u ORV_SYSTEM_DIR -u ORV_COMMON_APPDATA -u ORV_STORAGE_FILE \
  bash "$source/scripts/demo-scenarios.sh" "$prefix/bin" "$scratch/work" "$prefix/var/lib" >"$log" 2>&1 || status=$?
fail() { cat "$log"; echo "prefix scenarios: $*" >&2; exit 1; }
[ "$status" -eq 0 ] || fail "the scenarios failed with status $status"
# The description came from the installed explanation files, found through the installed registry.
grep -q "有効なJSONテキストではありません" "$log" || fail "helvar describe found no explanation file"
grep -q "loading $prefix/bin/../lib/" "$log" || fail "sysvista-host did not load the installed plug-in"
grep -q "^notifications" "$log" || fail "no notifications arrived"
# The translator manager lies in the installation's system folder, its library folder.
compgen -G "$prefix/lib/*/liborvxlator.so" >/dev/null || fail "no translator manager in the library folder"
echo "prefix scenarios: the installed tree ran the main job's scenarios from $prefix"

#!/usr/bin/env bash
# Builds the release packages build/packages/glaze-VERSION-win64.zip and glaze-VERSION-win32.zip
# (glaze.exe, SKIN\, the user guide and the license), or those of the presets named:
#   scripts/package.sh             # both, on Debian 12 (installs what is missing first)
#   scripts/package.sh win64       # one; on Windows, in the MSYS2 environment of its compiler
# Each is built without the tests in its own directory, build/package-PRESET.
set -euo pipefail
cd "$(dirname "$0")/.."

presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(win64 win32)
if [ "$(uname -s)" = Linux ]; then
    scripts/setup.sh
fi
mkdir -p build/packages
# The packages' directory as cpack takes it (a Windows path under MSYS2).
packages=$(cd build/packages && { pwd -W 2>/dev/null || pwd; })
for preset in "${presets[@]}"; do
    dir=build/package-$preset
    cmake --preset "$preset" -B "$dir" -DGLAZE_BUILD_TESTS=OFF >/dev/null
    cmake --build "$dir" --target glaze --parallel 2 >/dev/null
    # cpack runs the install rules of cmake/Packaging.cmake; only glaze.exe is needed for them.
    (cd "$dir" && cpack -D CPACK_PACKAGE_DIRECTORY="$packages" >/dev/null)
done
ls -1 "$(pwd)"/build/packages/glaze-*.zip

#!/usr/bin/env bash
# From a fresh Debian 12 machine: install what is missing, build the 64-bit and the 32-bit
# program, and write the release packages build/packages/glaze-VERSION-win64.zip and
# glaze-VERSION-win32.zip (glaze.exe, SKIN\, the user guide and the license).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
mkdir -p build/packages
for preset in win64 win32; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" --target glaze -- --no-print-directory >/dev/null
    # cpack runs the install rules of cmake/Packaging.cmake; only glaze.exe is needed for them.
    (cd "build/$preset" && cpack -D CPACK_PACKAGE_DIRECTORY="$(pwd)/../packages" >/dev/null)
done
ls -1 "$(pwd)"/build/packages/glaze-*.zip

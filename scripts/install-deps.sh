#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only when some
# are missing, so a second run costs a dpkg query and nothing more.
set -euo pipefail

packages=(
    build-essential cmake pkg-config git
    qt6-base-dev libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    libjpeg62-turbo-dev
    fonts-dejavu-core fonts-dejavu-extra
    clang libclang-rt-14-dev clang-format
    socat python3-serial
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

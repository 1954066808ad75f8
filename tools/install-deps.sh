#!/usr/bin/env bash
# Installs, from Debian's packages only, what building and testing need:
# the i686 mingw-w64 cross compiler, Wine with its 32-bit half, Xvfb,
# CMake, GoogleTest's sources and NSIS for the installer. Safe to run again: it installs only what is missing.
set -euo pipefail

packages=(g++-mingw-w64-i686 wine wine32:i386 xvfb xauth cmake googletest nsis)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
    echo "install-deps: missing ${missing[*]}; run as root to install them" >&2
    exit 1
fi
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null

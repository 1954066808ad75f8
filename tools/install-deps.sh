#!/usr/bin/env bash
# Installs, from Debian's packages only, what building and testing need:
# the i686 mingw-w64 cross compiler, Wine with its 32-bit half, Xvfb,
# CMake, GoogleTest's sources, NSIS for the installer, and for the tests a
# Hebrew locale (Wine's Hebrew code page) and the DejaVu fonts. Safe to run
# again: it installs only what is missing.
set -euo pipefail

packages=(g++-mingw-w64-i686 wine wine32:i386 xvfb xauth cmake googletest nsis locales fonts-dejavu-core)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
hebrew_locale() { locale -a 2>/dev/null | grep -ix 'he_IL.utf-\?8' >/dev/null; }
[ ${#missing[@]} -eq 0 ] && hebrew_locale && exit 0

if [ "$(id -u)" -ne 0 ]; then
    echo "install-deps: missing ${missing[*]:-} or the he_IL.UTF-8 locale; run as root to install them" >&2
    exit 1
fi
if [ ${#missing[@]} -ne 0 ]; then
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
if ! hebrew_locale; then
    sed -i 's/^# *\(he_IL.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -qx 'he_IL.UTF-8 UTF-8' /etc/locale.gen || echo 'he_IL.UTF-8 UTF-8' >>/etc/locale.gen
    locale-gen >/dev/null
fi

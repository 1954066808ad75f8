#!/usr/bin/env bash
# Installs, from Debian's packages only, what building and testing need:
# the i686 and x86-64 mingw-w64 cross compilers, Wine with both halves, Xvfb,
# CMake, GoogleTest's sources, NSIS for the installer, and for the tests a
# Hebrew locale (Wine's Hebrew code page) and the DejaVu fonts. Safe to run
# again: it installs only what is missing.
set -euo pipefail

packages=(g++-mingw-w64-i686 g++-mingw-w64-x86-64-posix wine wine32:i386 wine64 xvfb xauth cmake googletest nsis locales fonts-dejavu-core)

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
    # A mirror caught mid-sync fails one index now and then; the lists it
    # did get (or the old ones) still serve, so a failed update is retried
    # and then left to the install to judge.
    for attempt in 1 2 3; do
        apt-get update -qq && break
        echo "install-deps: apt-get update failed (attempt $attempt)" >&2
        sleep $((attempt * 5))
    done
    # With one architecture's index missing (a mirror mid-sync), the i386
    # and amd64 halves of a library can differ in version; the release's
    # own versions always match, so the install falls back to them.
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null ||
        apt-get install -y -qq --no-install-recommends -t "$(. /etc/os-release && echo "$VERSION_CODENAME")" \
            "${missing[@]}" >/dev/null
fi
if ! hebrew_locale; then
    sed -i 's/^# *\(he_IL.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -qx 'he_IL.UTF-8 UTF-8' /etc/locale.gen || echo 'he_IL.UTF-8 UTF-8' >>/etc/locale.gen
    locale-gen >/dev/null
fi

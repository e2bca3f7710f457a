#!/usr/bin/env bash
# Installs every Debian package the build, the tools and the tests need. Idempotent: when everything
# is present it only checks and returns.
set -euo pipefail

packages=(
  # native build and tests
  build-essential cmake pkg-config zlib1g-dev libgtest-dev libgmock-dev libbenchmark-dev
  libtomlplusplus-dev libpng-dev
  # OpenGL: headers, GLU, GLE, and Mesa's software renderer behind EGL for headless drawing
  libgl-dev libglu1-mesa-dev libgle3-dev libegl1-mesa-dev libgl1-mesa-dri
  # Windows cross build: compiler, windres, zlib
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 libz-mingw-w64-dev
  # end-to-end tests of the screensaver: Wine in a virtual X server, input and screenshots
  wine64 xvfb xdotool x11-utils imagemagick python3
  # the release (scripts/release.sh): the Windows setup program, which the end-to-end tests also
  # build and install, and the archive
  nsis zip
  # the scene gallery's captions (scripts/gallery.sh)
  fonts-dejavu-core
  # the Linux screensaver (X11 and GLX), the real XScreenSaver daemon that runs it in the tests,
  # and the Debian package's tools (dpkg-shlibdeps, lintian)
  libx11-dev libglx-dev xscreensaver dpkg-dev lintian
  # fuzzing: clang with its sanitizer and libFuzzer runtimes
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "installing: ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
  sudo=sudo
else
  sudo=
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null

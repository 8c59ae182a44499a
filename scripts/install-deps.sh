#!/bin/sh
# Installs every Debian 12 package that building, running, testing and packaging Tarvane needs:
# openbox for the window manager tests, python3 for the layer check, clang-format-14 for the
# format check.
set -e
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
PACKAGES="g++ cmake ninja-build pkg-config codeblocks-dev libwxgtk3.2-dev \
  libgtest-dev libgmock-dev libsimdjson-dev clang libclang-rt-14-dev \
  xvfb xauth fonts-noto-cjk x11-apps imagemagick openbox python3 clang-format-14 \
  desktop-file-utils appstream man-db dpkg-dev fakeroot lintian xdotool cmark-gfm"
missing=""
for p in $PACKAGES; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  $SUDO apt-get update
  $SUDO apt-get install -y --no-install-recommends $missing
fi

#!/usr/bin/env bash
# Installs every Debian package needed to build, run and test the program.
# Idempotent: packages already present are left alone.
set -euo pipefail
packages=(g++ cmake make pkg-config qt6-base-dev libgl-dev libjpeg-dev libgtest-dev libgmock-dev
          libbenchmark-dev fonts-liberation fontconfig locales qt6-svg-dev desktop-file-utils
          appstream shared-mime-info libglib2.0-bin dpkg-dev fakeroot lintian poppler-utils
          xvfb openbox xdotool x11-utils imagemagick help2man parallel clang libclang-rt-14-dev
          libeigen3-dev nlohmann-json3-dev libcli11-dev pybind11-dev python3-dev python3-numpy
          python3-pytest python3-distributed)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

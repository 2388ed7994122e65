#!/usr/bin/env bash
# Installs what is missing from Debian's packages, builds Dayloom, and then
#   run   starts the program on the shipped sample calendar
#   test  runs the whole test suite
#   build only builds
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(build-essential cmake ninja-build pkg-config qt6-base-dev libjpeg62-turbo-dev
          libuemf-dev qt6-svg-dev fonts-liberation googletest libgtest-dev libgmock-dev
          libbenchmark-dev libjpeg-turbo-progs xvfb xauth dpkg-dev file libical-dev tzdata)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then
    echo "Run as root (or install the packages above yourself)." >&2
    exit 1
  fi
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
fi

build=${DAYLOOM_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j "$(nproc)"

case "${1:-build}" in
  run)
    sample=data/samples/Sample.DLF
    if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
      exec "$build/dayloom" "$sample"
    else
      echo "No display found: starting Dayloom on a virtual X server (xvfb-run)."
      exec xvfb-run -a -s "-screen 0 1280x1024x24" "$build/dayloom" "$sample"
    fi
    ;;
  test)
    cd "$build"
    exec ctest --output-on-failure -j "$(nproc)"
    ;;
  build) ;;
  *) echo "usage: tools/build.sh [run|test|build]" >&2; exit 2 ;;
esac

#!/usr/bin/env bash
# Installs what is missing from Debian's packages, builds Dayloom, and then
#   run       starts the program on the shipped sample calendar
#   test      runs the whole test suite
#   build     only builds
#   sanitize  builds with clang, AddressSanitizer and UndefinedBehaviorSanitizer
#             (and libFuzzer's hooks) in build-sanitize and runs the suite there
#   fuzz      runs every fuzz target of build-sanitize on its seed corpus
#             (FUZZ_SECONDS each, default 30); run `sanitize` first
#   bench     builds the benchmarks in the build folder and runs each once, briefly
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(build-essential cmake ninja-build pkg-config qt6-base-dev libjpeg62-turbo-dev
          libuemf-dev qt6-svg-dev fonts-liberation googletest libgtest-dev libgmock-dev
          libbenchmark-dev libjpeg-turbo-progs xvfb xauth dpkg-dev file libical-dev tzdata
          clang libclang-rt-14-dev fonts-wine poppler-utils zlib1g-dev)
# The benchmarks compare printing with pcal and Ghostscript.
if [ "${1:-}" = bench ]; then packages+=(pcal ghostscript); fi

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

command=${1:-build}
build=${DAYLOOM_BUILD_DIR:-build}
sanitize_build=${DAYLOOM_SANITIZE_BUILD_DIR:-build-sanitize}
jobs=$(nproc)

# Sanitizer reports end the program; leaks inside fontconfig's and Qt's own
# caches are the only ones let through (tools/lsan.supp). The tests also look
# for stack use after return, which would cost the fuzzers a quarter of their
# speed.
sanitizer_env() {
  local uar=1
  [ "${1:-}" = fuzz ] && uar=0
  export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=$uar}
  export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
  export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tools/lsan.supp:print_suppressions=0}
}

configure_sanitize() {
  CC=clang CXX=clang++ cmake -S . -B "$sanitize_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DDAYLOOM_SANITIZE=ON -DDAYLOOM_FUZZ=ON -DDAYLOOM_TESTS=ON
}

case "$command" in
  run|test|build)
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build "$build" -j "$jobs"
    ;;
esac

case "$command" in
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
    exec ctest --output-on-failure -j "$jobs"
    ;;
  build) ;;
  sanitize)
    sanitizer_env
    configure_sanitize
    cmake --build "$sanitize_build" -j "$jobs"
    cd "$sanitize_build"
    exec ctest --output-on-failure -j "$jobs"
    ;;
  fuzz)
    sanitizer_env fuzz
    [ -d "$sanitize_build" ] || configure_sanitize
    exec bash tools/runfuzz.sh "$sanitize_build" "${FUZZ_SECONDS:-30}"
    ;;
  bench)
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDAYLOOM_BENCH=ON
    cmake --build "$build" -j "$jobs"
    status=0
    for b in "$build"/bench/bench_*; do
      [ -f "$b" ] && [ -x "$b" ] || continue
      echo "== $(basename "$b")"
      QT_QPA_PLATFORM=offscreen "$b" --benchmark_min_time=0.001 || { echo "FAILED: $b" >&2; status=1; }
    done
    exit $status
    ;;
  *) echo "usage: tools/build.sh [run|test|build|sanitize|fuzz|bench]" >&2; exit 2 ;;
esac

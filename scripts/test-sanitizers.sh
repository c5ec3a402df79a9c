#!/usr/bin/env bash
# Builds the program and its tests with AddressSanitizer and UndefinedBehaviorSanitizer into
# ./build-asan and runs the test suite there, with leak detection on. Any sanitizer report fails
# the run. Leaks that Qt's own caches keep until exit are suppressed in .ci/lsan.supp.
# Extra arguments go to ctest (for example -R test_device_faults).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
# Configured on every run, so an existing build-asan picks up a changed sanitizer list.
# float-cast-overflow is not part of "undefined": it catches a number from a file (or from
# QML) too large or not a number at all reaching an integer cast.
. scripts/generator.sh
cmake_generator build-asan
cmake -S . -B build-asan "${GENERATOR[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DORBIS_SANITIZER=address,undefined,float-cast-overflow
cmake --build build-asan -j"$(nproc)"

# Qt is built without frame pointers: only full unwinding reaches the frames that the
# suppressions name.
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:fast_unwind_on_malloc=0:malloc_context_size=40"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$root/.ci/lsan.supp:print_suppressions=0"
cd build-asan
# The instrumented suite runs about twice as long as the plain one (a few minutes on two cores);
# the build doubles too, so the whole CI run stays far inside its time limit.
ctest --output-on-failure -j"$(nproc)" --timeout 600 "$@"

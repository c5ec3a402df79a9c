# Shared by the benchmark scripts (sourced): the demo program of a build folder, and the
# benchmark's own tools, built from bench/ into $BENCH_BUILD_DIR (default build-bench).

bench_need_demo() { # <build dir>
    if [ ! -x "$1/bin/orbis-mouse-demo" ]; then
        echo "no demo program in $1/bin: build the project first (scripts/build.sh)" >&2
        exit 1
    fi
}

bench_build_tools() { # [target]: builds the tools (all, or one target)
    bench_build=${BENCH_BUILD_DIR:-build-bench}
    cmake -S bench -B "$bench_build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$bench_build" -j"$(nproc)" ${1:+--target "$1"} >/dev/null
}

# Sourced by the build scripts: cmake_generator <build dir> sets the array GENERATOR to the
# generator arguments for a first configure of that folder: Ninja when it is installed (with the
# Makefile generator every build re-ran the QML type registration and recompiled the whole QML
# cache, minutes on two cores), nothing for a folder configured already (its generator stays).
cmake_generator() {
    GENERATOR=()
    if [ ! -f "$1/CMakeCache.txt" ] && command -v ninja >/dev/null; then
        GENERATOR=(-G Ninja)
    fi
}

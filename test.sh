#!/bin/bash
# Sets up what is missing, builds everything and runs every test; non-zero exit on any failure.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/scripts/setup.sh"
build="$here/build"
if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build"
export QT_QPA_PLATFORM=offscreen
cd "$build" && ctest --output-on-failure --timeout 120 -j2 "$@"

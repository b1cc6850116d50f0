#!/bin/bash
# Sets up what is missing, builds the release program when it is out of date, and starts it.
#   ./mavix.sh [options] [file [cell]]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/scripts/setup.sh"
build="$here/build-release"
if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
          -DMAVIX_BUILD_TESTS=OFF -DMAVIX_BUILD_BENCH=OFF >/dev/null
fi
cmake --build "$build" --target mavix mavix-cli >/dev/null
exec "$build/src/mavix" "$@"

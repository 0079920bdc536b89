#!/usr/bin/env bash
# Installs what Quelvo needs, then configures and builds it into build/.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
export CCACHE_BASEDIR="$PWD"
if [ ! -f build/CMakeCache.txt ]; then
  cmake --preset default
fi
cmake --build --preset default

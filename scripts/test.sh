#!/usr/bin/env bash
# Builds Quelvo with its tests and runs them.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh
ctest --preset default --timeout 300

#!/usr/bin/env bash
# Builds Quelvo and starts it. On the first start it gives the player a demo
# catalog of sample movies that the project generates itself; an existing
# settings file is never touched.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh
build/bin/make-sample-movies build/demo
settings=build/bin/Quelvo.ini
if [ ! -e "$settings" ]; then
  build/bin/make-sample-movies --settings "$settings" build/demo
fi
exec build/bin/quelvo

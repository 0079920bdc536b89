#!/usr/bin/env bash
# Renders every public reference case with swfrender and compares it with its
# expected picture. One line per case:
#   NAME  looks-right PASS|FAIL  strict PASS|FAIL  (details)
# Then the number of cases that meet their strict tolerance, and last
# "N passed, M failed", N counting looks-right passes.
# Usage: tools/render-public.sh [CORPUS_PUBLIC_DIR] [OUT_DIR]
set -u

here=$(cd "$(dirname "$0")/.." && pwd)
corpus=${1:-$here/../shared/swf-corpus/public}
out=${2:-$(mktemp -d)}
bin=$here/build/bin

if [ ! -d "$corpus" ]; then
  echo "corpus not present at $corpus; skipping"
  echo "0 passed, 0 failed"
  exit 0
fi
for tool in swfrender swfcompare; do
  if [ ! -x "$bin/$tool" ]; then
    echo "error: $bin/$tool missing; build it first" >&2
    exit 1
  fi
done
mkdir -p "$out"

# Value of a top-level "key = value" line of case.toml, quotes removed.
field() { sed -n "s/^$1 = \"\{0,1\}\([^\"]*\)\"\{0,1\}\$/\1/p" "$2" | head -n 1; }

passed=0
failed=0
strict_met=0
for dir in "$corpus"/*/; do
  name=$(basename "$dir")
  toml=$dir/case.toml
  [ -f "$toml" ] && [ -f "$dir/movie.swf" ] || continue
  frames=$(field frames "$toml")
  quality=$(field quality "$toml")
  # Every tolerance / max_outliers pair, [[checks]] included, in file order.
  checks=$(paste -d' ' <(sed -n 's/^tolerance = //p' "$toml") \
    <(sed -n 's/^max_outliers = //p' "$toml") | tr '\n' ' ')
  if [ -z "$checks" ]; then
    width=$(field stage_width "$toml")
    height=$(field stage_height "$toml")
    checks="16 $(( width * height / 200 ))"
  fi
  png=$out/$name.png
  if ! timeout 120 "$bin/swfrender" --frames "${frames:-1}" --quality "${quality:-high}" \
      "$dir/movie.swf" "$png" 2>"$out/$name.err"; then
    verdict="looks_right=fail strict=fail render-error: $(head -c 200 "$out/$name.err")"
  else
    # shellcheck disable=SC2086
    verdict=$("$bin/swfcompare" "$png" "$dir/expected.png" $checks)
  fi
  looks=FAIL
  strict=FAIL
  case $verdict in *looks_right=pass*) looks=PASS ;; esac
  case $verdict in *strict=pass*) strict=PASS ;; esac
  details=${verdict#*strict=* }
  printf '%-55s looks-right %s  strict %s  (%s)\n' "$name" "$looks" "$strict" "$details"
  if [ "$strict" = PASS ]; then strict_met=$((strict_met + 1)); fi
  if [ "$looks" = PASS ]; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
done
echo "$strict_met meet their strict tolerance"
echo "$passed passed, $failed failed"

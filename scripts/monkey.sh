#!/usr/bin/env bash
# Runs the monkey test (build/bin/swfmonkey: random mouse and key input while
# the movie plays and draws) over every .swf under a corpus folder, each movie
# under a time limit, and prints one line per movie and a summary: passed,
# crashed (killed by a signal or a sanitizer report), hung (time limit),
# unreadable (exit 1, expected of corrupt files), and the slowest movie and
# the largest peak memory. Exits 1 when any movie crashed or hung.
#
#   scripts/monkey.sh [CORPUS_DIR] [--frames N] [--seed S] [--timeout SECONDS] [--build DIR]
#
# CORPUS_DIR defaults to ../shared/swf-corpus beside the repository, DIR to
# build. For a run under AddressSanitizer and UndefinedBehaviorSanitizer,
# build the tool with the project's sanitizer option, optimised so that the
# whole corpus runs in reasonable time:
#   cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUELVO_SANITIZE=ON
#   cmake --build build-asan --target swfmonkey
#   scripts/monkey.sh --build build-asan --timeout 600
# (the "sanitize" preset, build-sanitize, is the same as a Debug build).
# A sanitizer report counts as a crash; ASAN_OPTIONS and UBSAN_OPTIONS set
# in the environment are kept.
set -uo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
corpus="$repo/../shared/swf-corpus"
build="$repo/build"
frames=300
seed=1
limit=120

usage() {
  echo "usage: scripts/monkey.sh [CORPUS_DIR] [--frames N] [--seed S] [--timeout SECONDS] [--build DIR]" >&2
  exit 2
}
while [ $# -gt 0 ]; do
  case "$1" in
    --frames) [ $# -ge 2 ] || usage; frames="$2"; shift 2 ;;
    --seed) [ $# -ge 2 ] || usage; seed="$2"; shift 2 ;;
    --timeout) [ $# -ge 2 ] || usage; limit="$2"; shift 2 ;;
    --build) [ $# -ge 2 ] || usage; build="$2"; shift 2 ;;
    -*) usage ;;
    *) corpus="$1"; shift ;;
  esac
done
monkey="$build/bin/swfmonkey"
[ -x "$monkey" ] || { echo "error: $monkey not built (cmake --build $build --target swfmonkey)" >&2; exit 2; }
[ -d "$corpus" ] || { echo "error: no corpus folder $corpus" >&2; exit 2; }
corpus="$(cd "$corpus" && pwd)"

export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0:exitcode=86}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1:exitcode=86}"

passed=0 crashed=0 hung=0 unreadable=0 total=0
peak_mb=0 peak_movie="" slowest_ms=0 slowest_movie=""
problems=()
errors="$(mktemp)"
trap 'rm -f "$errors"' EXIT

while IFS= read -r -d '' movie; do
  total=$((total + 1))
  line="$(timeout -k 5 "$limit" "$monkey" "$movie" --frames "$frames" --seed "$seed" 2>"$errors")"
  status=$?
  if grep -qE 'ERROR: AddressSanitizer|runtime error:|ERROR: LeakSanitizer' "$errors"; then
    status=86
  fi
  case "$status" in
    0)
      passed=$((passed + 1))
      echo "$line"
      mb="$(sed -n 's/.* peak_rss_mb=\([0-9.]*\).*/\1/p' <<<"$line")"
      ms="$(sed -n 's/.* ms=\([0-9]*\)$/\1/p' <<<"$line")"
      if awk -v a="${mb:-0}" -v b="$peak_mb" 'BEGIN { exit !(a > b) }'; then
        peak_mb="$mb" peak_movie="$movie"
      fi
      if [ "${ms:-0}" -gt "$slowest_ms" ]; then slowest_ms="$ms" slowest_movie="$movie"; fi
      ;;
    1)
      unreadable=$((unreadable + 1))
      echo "$movie unreadable: $(grep -m 1 '^error:' "$errors" | head -c 300)"
      ;;
    124 | 137)
      hung=$((hung + 1))
      problems+=("HUNG $movie")
      echo "$movie HUNG (no end after ${limit}s)"
      ;;
    *)
      crashed=$((crashed + 1))
      problems+=("CRASHED $movie (status $status)")
      echo "$movie CRASHED (status $status)"
      grep -m 20 -E 'ERROR|runtime error|#[0-9]+ ' "$errors" | sed 's/^/    /'
      ;;
  esac
done < <(find "$corpus" -type f -iname '*.swf' -print0 | sort -z)

echo "----"
for problem in "${problems[@]}"; do echo "$problem"; done
echo "movies=$total passed=$passed crashed=$crashed hung=$hung unreadable=$unreadable"
echo "slowest: ${slowest_movie:-none} ms=$slowest_ms"
echo "largest peak memory: ${peak_movie:-none} peak_rss_mb=$peak_mb"
[ "$crashed" -eq 0 ] && [ "$hung" -eq 0 ]

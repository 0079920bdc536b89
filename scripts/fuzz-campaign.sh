#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for a while, seeded from the saved
# inputs and the SWF corpus; then says how long each ran, how many inputs it
# tried and what it found. Findings (crash-*, leak-*, timeout-*, oom-* files)
# are left in the work folder: replay one with BUILD/bin/fuzz_NAME FILE, fix
# it, and save the input under fuzz/inputs/fuzz_NAME/ as a regression case.
# Usage: scripts/fuzz-campaign.sh [--seconds N] [--build DIR] [--work DIR] [HARNESS...]
# Needs clang (Debian package clang). Exit status 1 when anything was found.
set -u

root=$(cd "$(dirname "$0")/.." && pwd)
seconds=600
build=$root/build-fuzz
work=$root/build-fuzz/campaign
harnesses=()
while [ $# -gt 0 ]; do
  case $1 in
    --seconds) seconds=$2; shift 2 ;;
    --build) build=$2; shift 2 ;;
    --work) work=$2; shift 2 ;;
    *) harnesses+=("$1"); shift ;;
  esac
done
[ ${#harnesses[@]} -gt 0 ] || harnesses=(fuzz_movie fuzz_avm1 fuzz_text fuzz_bitmap fuzz_filters
  fuzz_sound fuzz_video fuzz_xml fuzz_region fuzz_settings fuzz_catalog)
corpus=$root/../shared/swf-corpus

if [ ! -f "$build/build.ninja" ]; then
  CXX=clang++ CC=clang cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUELVO_BUILD_FUZZ=ON -DQUELVO_BUILD_TESTS=OFF >/dev/null || exit 2
fi
cmake --build "$build" -j2 --target "${harnesses[@]}" >/dev/null || exit 2

# The reference movies without their pictures, as seeds of their own.
movies=$work/reference-movies
if [ -d "$corpus/public" ] && [ ! -d "$movies" ]; then
  mkdir -p "$movies"
  for case in "$corpus"/public/*/; do
    [ -f "$case/movie.swf" ] && cp "$case/movie.swf" "$movies/$(basename "$case").swf"
  done
fi

# Seed folders of a harness: its saved inputs, and SWF files for the movie harnesses.
seeds() {
  local name=$1
  [ -d "$root/fuzz/inputs/$name" ] && echo "$root/fuzz/inputs/$name"
  case $name in
    fuzz_movie | fuzz_avm1)
      for dir in "$corpus/wild" "$corpus/corrupt" "$movies"; do [ -d "$dir" ] && echo "$dir"; done ;;
  esac
  return 0
}

found=0
printf '%-14s %8s %12s  %s\n' harness seconds executions findings
for name in "${harnesses[@]}"; do
  dir=$work/$name
  mkdir -p "$dir/corpus" "$dir/findings"
  log=$dir/log.txt
  mapfile -t seed_dirs < <(seeds "$name")
  start=$(date +%s)
  "$build/bin/$name" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=30 \
    -artifact_prefix="$dir/findings/" -print_final_stats=1 "$dir/corpus" "${seed_dirs[@]}" \
    >"$log" 2>&1
  ran=$(($(date +%s) - start))
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  findings=$(find "$dir/findings" -type f | wc -l)
  found=$((found + findings))
  printf '%-14s %8s %12s  %s\n' "$name" "$ran" "${runs:-?}" "$findings"
done
[ "$found" -eq 0 ]

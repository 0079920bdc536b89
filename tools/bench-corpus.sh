#!/usr/bin/env bash
# Runs swfbench over every movie of a folder tree and prints, per movie, its
# real-time factor (frame period / median frame time) at stage size and at
# 1920x1080; then the median factors, the slowest five at 1920x1080 and how
# many movies fall below 2x real time there.
# Usage: tools/bench-corpus.sh [DIR] [--frames N] [--quality Q]
set -u

here=$(cd "$(dirname "$0")/.." && pwd)
dir=$here/../shared/swf-corpus
frames=60
quality=high
while [ $# -gt 0 ]; do
  case $1 in
    --frames) frames=$2; shift 2 ;;
    --quality) quality=$2; shift 2 ;;
    *) dir=$1; shift ;;
  esac
done
bin=$here/build/bin
for tool in swfbench swfinfo; do
  if [ ! -x "$bin/$tool" ]; then
    echo "error: $bin/$tool missing; build it first" >&2
    exit 1
  fi
done
if [ ! -d "$dir" ]; then
  echo "no movies: $dir is not a folder" >&2
  exit 1
fi

rows=$(mktemp)
trap 'rm -f "$rows"' EXIT
while IFS= read -r -d '' movie; do
  rate=$("$bin/swfinfo" "$movie" 2>/dev/null | sed -n 's/^frame_rate: //p')
  [ -n "$rate" ] || continue  # unreadable: nothing to time
  line=$(timeout 300 "$bin/swfbench" --frames "$frames" --quality "$quality" "$movie" 2>/dev/null)
  [ -n "$line" ] || { echo "$movie  failed or timed out"; continue; }
  # A declared rate of 0 plays at 12 frames a second.
  echo "$line" | awk -v rate="$rate" -v movie="$movie" '{
    period = 1000 / (rate > 0 ? rate : 12)
    for (i = 1; i <= NF; ++i) {
      if ($i ~ /^median=/) { v = substr($i, 8); sub(/ms$/, "", v); medians[++n] = v + 0 }
    }
    stage = medians[1] > 0 ? period / medians[1] : 99999
    large = medians[2] > 0 ? period / medians[2] : 99999
    printf "%.1f %.1f %s\n", stage, large, movie
  }' >>"$rows"
done < <(find "$dir" -type f -iname '*.swf' -print0 | sort -z)

awk '{ printf "%-70s stage %8.1fx  1920x1080 %8.1fx\n", $3, $1, $2 }' "$rows"
count=$(wc -l <"$rows")
[ "$count" -gt 0 ] || { echo "no movie could be timed"; exit 1; }
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }
echo
echo "movies: $count (quality $quality, up to $frames frames each)"
echo "median real-time factor: stage $(cut -d' ' -f1 "$rows" | median)x, 1920x1080 $(cut -d' ' -f2 "$rows" | median)x"
echo "below 2x at 1920x1080: $(awk '$2 < 2' "$rows" | wc -l)"
echo "slowest five at 1920x1080:"
sort -g -k2 "$rows" | head -n 5 | awk '{ printf "  %8.1fx  %s\n", $2, $3 }'

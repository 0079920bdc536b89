#!/usr/bin/env bash
# Times swfsearch against `find DIR -iname '*.swf'` on the same folder tree, warm cache, best of
# three wall times each, checks that both list the same paths byte for byte (as sorted sets), and
# prints the ratio swfsearch/find. The bar is 1.5.
# Without DIR it builds a tree under /tmp: 100 000 files in 5 000 folders nested four levels deep,
# 1 % of them movies with mixed-case extensions, near-miss names, a few folders named like movies
# and one GB18030 (not UTF-8) name. Such a tree has no names starting with '.', where find and the
# search differ: find enters dot-folders, the search does not.
# Usage: tools/bench-search.sh [DIR]   (SWFSEARCH=path/to/swfsearch to use another build)
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
swfsearch=${SWFSEARCH:-$here/build/bin/swfsearch}
if [ ! -x "$swfsearch" ]; then
  echo "error: $swfsearch missing; build the swfsearch target first" >&2
  exit 1
fi

# Folder i (1..5000) lies in folder (i-1)/10, folder 0 being the tree itself; each holds 20 files.
build_tree() {
  local tree=$1
  rm -rf "$tree"
  mkdir -p "$tree"
  (
    cd "$tree"
    awk 'BEGIN {
      path[0] = "."
      for (i = 1; i <= 5000; i++) {
        name = (i % 500 == 0) ? "clip" i ".Swf" : "d" i
        path[i] = path[int((i - 1) / 10)] "/" name
        print path[i] > "folders"
        for (f = 0; f < 20; f++) {
          n = i * 20 + f
          if (n % 100 == 0) ext = substr(".swf .SWF .Swf .sWf", 1 + 5 * (n / 100 % 4), 4)
          else if (n % 100 == 1) ext = ".swfx"
          else if (n % 100 == 2) ext = ".swf.bak"
          else ext = ".dat"
          print path[i] "/f" n ext > "files"
        }
      }
    }'
    xargs mkdir < folders
    xargs touch < files
    rm folders files
    touch "$(printf 'd1/\xd2\xb9\xc7\xfa.swf')"
  )
}

# Best wall time of three runs of the command, in milliseconds; its output goes to $1.
best_of_three() {
  local out=$1 best="" start elapsed
  shift
  for _ in 1 2 3; do
    start=$EPOCHREALTIME
    "$@" > "$out"
    elapsed=$(awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.1f", (b - a) * 1000 }')
    if [ -z "$best" ] || awk -v e="$elapsed" -v b="$best" 'BEGIN { exit !(e < b) }'; then
      best=$elapsed
    fi
  done
  echo "$best"
}

dir=${1:-}
if [ -z "$dir" ]; then
  dir=/tmp/quelvo-bench-search
  echo "building the tree in $dir"
  build_tree "$dir"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Warm the cache.
find "$dir" -iname '*.swf' > /dev/null
"$swfsearch" "$dir" > /dev/null

find_ms=$(best_of_three "$work/find.txt" find "$dir" -iname '*.swf')
search_ms=$(best_of_three "$work/search.txt" "$swfsearch" "$dir")

# What the search lists: find's matches, with folders whose name starts with '.' not entered.
find "$dir" -mindepth 1 -type d -name '.*' -prune -iname '*.swf' -print -o -iname '*.swf' -print \
  > "$work/expected.txt"
LC_ALL=C sort "$work/expected.txt" > "$work/expected.sorted"
LC_ALL=C sort "$work/search.txt" > "$work/search.sorted"
if ! cmp -s "$work/expected.sorted" "$work/search.sorted"; then
  echo "error: swfsearch and find list different paths:" >&2
  diff "$work/expected.sorted" "$work/search.sorted" | head -n 20 >&2
  exit 1
fi

echo "matches:   $(wc -l < "$work/search.txt"), the same paths as find lists outside dot-folders"
echo "find:      $find_ms ms"
echo "swfsearch: $search_ms ms"
awk -v s="$search_ms" -v f="$find_ms" 'BEGIN { printf "ratio swfsearch/find: %.2f (bar 1.5)\n", s / f }'

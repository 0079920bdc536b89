#!/usr/bin/env bash
# Runs swfinfo over the shared wild corpus and compares what it reads with the
# reference table wild/headers.tsv. Prints each disagreement and a summary;
# exits 1 when anything disagrees. Skips when the corpus is absent.
#   SWFINFO=path/to/swfinfo tools/check-wild-headers.sh
set -uo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
wild="$root/../shared/swf-corpus/wild"
swfinfo="${SWFINFO:-$root/build/bin/swfinfo}"

if [ ! -f "$wild/headers.tsv" ]; then
  echo "check-wild-headers: skipped, no corpus at $wild"
  exit 0
fi
if [ ! -x "$swfinfo" ]; then
  echo "check-wild-headers: swfinfo not built at $swfinfo" >&2
  exit 2
fi

passed=0
failed=0
# Empty cells become "-" so that read keeps the columns apart.
while IFS=$'\t' read -r file signature version length xmin xmax ymin ymax rate count tags bad; do
  info="$(timeout 30 "$swfinfo" "$wild/$file" 2>&1)"
  value() { printf '%s\n' "$info" | sed -n "s/^$1: //p"; }
  problems=()
  compare() {  # key expected actual
    [ "$2" = "$3" ] || problems+=("$1: expected '$2', got '$3'")
  }
  if [[ "$info" == error:* ]]; then
    problems+=("$info")
  else
    compare signature "$signature" "$(value signature)"
    compare version "$version" "$(value version)"
    compare length "$length" "$(value length)"
    compare stage "$xmin $xmax $ymin $ymax" "$(value stage_twips)"
    awk -v a="$rate" -v b="$(value frame_rate)" 'BEGIN { exit !(a + 0 == b + 0) }' ||
      problems+=("frame_rate: expected '$rate', got '$(value frame_rate)'")
    compare frame_count "$count" "$(value frame_count)"
    compare tags "$tags" "$(value tags)"
    actualBreak="$(value stream_break)"
    compare first_bad_offset "$bad" "${actualBreak:--}"
  fi
  if [ ${#problems[@]} -eq 0 ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    for problem in "${problems[@]}"; do echo "MISMATCH $file: $problem"; done
  fi
done < <(awk -F'\t' -v OFS='\t' 'NR > 1 { for (i = 1; i <= 12; i++) if ($i == "") $i = "-"; print }' \
  "$wild/headers.tsv")

echo "check-wild-headers: $passed passed, $failed failed"
[ "$failed" -eq 0 ]

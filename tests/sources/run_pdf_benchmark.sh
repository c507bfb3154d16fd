#!/usr/bin/env bash
# Benchmark (not a test): the document's PDF export of scanned-form pages with 30 filled fields each,
# beside img2pdf putting the same page images alone into a PDF in the same run.
# Usage: tests/sources/run_pdf_benchmark.sh [pages]   (after tools/build)
set -euo pipefail
source "$(dirname "$0")/../../tools/common.sh"
pages=${1:-100}
program="$BUILD64/bin/DocumentPdfBenchmark.exe"
[ -f "$program" ] || die "build first: $program is missing"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

ours=$(/usr/lib/wine/wine64 "$program" "Z:$out" "$pages" | tr -d '\r')
echo "$ours"
ours_seconds=$(sed -n 's/.* in \([0-9.]*\) s.*/\1/p' <<<"$ours")

inputs=()
for _ in $(seq "$pages"); do inputs+=("$out/page.png"); done
start=$(date +%s.%N)
img2pdf "${inputs[@]}" -o "$out/img2pdf.pdf"
end=$(date +%s.%N)
host_seconds=$(awk "BEGIN { print $end - $start }")
printf 'img2pdf:   %d pages in %.3f s, %.1f pages/s, %d bytes (page images only)\n' "$pages" "$host_seconds" \
  "$(awk "BEGIN { print $pages / $host_seconds }")" "$(stat -c %s "$out/img2pdf.pdf")"
printf 'ratio:     export / img2pdf time = %.2f\n' "$(awk "BEGIN { print $ours_seconds / $host_seconds }")"

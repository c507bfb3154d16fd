#!/usr/bin/env bash
# Benchmark (not a test): the writer's time for a document of page images and text fields, beside
# img2pdf putting the same page images into a PDF in the same run.
# Usage: tests/pdfwriter/run_benchmark.sh [pages]   (after tools/build)
set -euo pipefail
source "$(dirname "$0")/../../tools/common.sh"
pages=${1:-100}
program="$BUILD64/bin/PdfWriterBenchmark.exe"
[ -f "$program" ] || die "build first: $program is missing"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

ours=$(/usr/lib/wine/wine64 "$program" "Z:$out" "$pages" | tr -d '\r')
echo "$ours"
ours_seconds=$(sed -n 's/.* in \([0-9.]*\) s.*/\1/p' <<<"$ours")
ours_bytes=$(stat -c %s "$out/benchmark.pdf")

inputs=()
for _ in $(seq "$pages"); do inputs+=("$out/page.ppm"); done
start=$(date +%s.%N)
img2pdf "${inputs[@]}" -o "$out/img2pdf.pdf"
end=$(date +%s.%N)
host_seconds=$(awk "BEGIN { print $end - $start }")
host_bytes=$(stat -c %s "$out/img2pdf.pdf")
printf 'img2pdf:   %d pages in %.3f s, %d bytes (page images only, no fields)\n' "$pages" "$host_seconds" "$host_bytes"
printf 'ratio:     pdfwriter / img2pdf time = %.2f, size = %.2f\n' \
  "$(awk "BEGIN { print $ours_seconds / $host_seconds }")" "$(awk "BEGIN { print $ours_bytes / $host_bytes }")"

#!/usr/bin/env bash
# Builds Quenvale and shows it on a bundled sample file.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target quenvale

sample=samples/cwdm-4-fibers.fib
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/quenvale "$sample" "$@"
fi

# No display to show a window on: run the headless jobs on the sample.
echo "No display found; the window needs one. Running the headless jobs instead."
echo "\$ build/quenvale --export-csv build/sample.csv $sample"
build/quenvale --export-csv build/sample.csv "$sample"
head -n 20 build/sample.csv
echo "... ($(wc -l < build/sample.csv) lines in build/sample.csv)"
echo "\$ build/quenvale --print-pdf build/sample.pdf $sample"
build/quenvale --print-pdf build/sample.pdf "$sample"
echo "Report written to build/sample.pdf"

#!/usr/bin/env bash
# Builds Quenvale and shows it on a bundled sample file.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target quenvale

sample=samples/cwdm-4-fibers.fib
echo "Exporting $sample: build/quenvale --export-csv build/sample.csv $sample"
build/quenvale --export-csv build/sample.csv "$sample"
head -n 20 build/sample.csv
echo "... ($(wc -l < build/sample.csv) lines in build/sample.csv)"

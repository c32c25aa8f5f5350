#!/usr/bin/env bash
# Builds Quenvale and runs every test: the unit and window tests (headless),
# the core tests again under AddressSanitizer and UBSan, and the two fuzz
# targets (the result file reader, the archive) for a bounded time in all.
set -uo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh || exit 1
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
fuzz_seconds=${QUENVALE_FUZZ_SECONDS:-50}

passed=0
failed=0
log=$(mktemp)
trap 'rm -f "$log"' EXIT

count_ctest() {
  local line
  line=$(grep -E "tests passed, [0-9]+ tests failed out of [0-9]+" "$log" | tail -n 1)
  local total bad
  total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
  bad=$(sed -E 's/.*passed, ([0-9]+) tests failed.*/\1/' <<<"$line")
  if [ -z "$line" ]; then
    failed=$((failed + 1))
  else
    passed=$((passed + total - bad))
    failed=$((failed + bad))
  fi
}

echo "== Build and test (build/)"
if cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null \
   && cmake --build build -j "$jobs"; then
  (cd build && ctest --output-on-failure -j "$jobs") 2>&1 | tee "$log"
  count_ctest
else
  echo "build failed"
  failed=$((failed + 1))
fi

echo "== Core tests under AddressSanitizer and UBSan (build-asan/)"
if cmake -S . -B build-asan -G Ninja -DQUENVALE_CORE_ONLY=ON -DQUENVALE_SANITIZE=ON \
         -DCMAKE_BUILD_TYPE=Debug >/dev/null \
   && cmake --build build-asan -j "$jobs"; then
  (cd build-asan && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
     UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j "$jobs") 2>&1 | tee "$log"
  count_ctest
else
  echo "sanitizer build failed"
  failed=$((failed + 1))
fi

echo "== Fuzzing the reader and the archive for ${fuzz_seconds} s in all (build-fuzz/)"
# Inputs up to 4 MB, so that a path slower than linear becomes a timeout;
# the corpus starts with the big inputs that such paths meet: zero bytes
# and a result file saved as UTF-16.
run_fuzz() { # name seconds corpus-seeds...
  local name=$1 seconds=$2
  shift 2
  rm -rf "build-fuzz/corpus-$name" && mkdir -p "build-fuzz/corpus-$name"
  cp "$@" "build-fuzz/corpus-$name/"
  if "build-fuzz/$name" -max_total_time="$seconds" -max_len=4194304 -timeout=5 \
       -rss_limit_mb=4096 -print_final_stats=1 -artifact_prefix="build-fuzz/$name-" \
       "build-fuzz/corpus-$name" 2>&1 | tail -n 12; then
    echo "fuzz $name: no crash, mismatch, sanitizer report, timeout or hang"
    passed=$((passed + 1))
  else
    echo "fuzz $name: FAILED (see the artifact in build-fuzz/)"
    failed=$((failed + 1))
  fi
}
if CC=clang CXX=clang++ cmake -S fuzz -B build-fuzz -G Ninja >/dev/null \
   && cmake --build build-fuzz -j "$jobs"; then
  seeds=build-fuzz/seeds && rm -rf "$seeds" && mkdir -p "$seeds"
  head -c 2097152 /dev/zero > "$seeds/zeros-2mb"
  iconv -f latin1 -t UTF-16LE samples/cwdm-48-fibers.fib > "$seeds/utf16-48-fibers.fib"
  for i in 1 2 3 4 5 6 7 8; do cat "$seeds/utf16-48-fibers.fib"; done > "$seeds/utf16-384-fibers.fib"
  reader_seconds=$((fuzz_seconds * 7 / 10))
  run_fuzz fuzz_result_file "$reader_seconds" fuzz/seeds/* samples/*.fib "$seeds"/*
  run_fuzz fuzz_archive "$((fuzz_seconds - reader_seconds))" fuzz/seeds-archive/*
else
  echo "fuzz build failed"
  failed=$((failed + 1))
fi

echo
echo "total: ${passed} passed, ${failed} failed"
[ "$failed" -eq 0 ]

#!/usr/bin/env bash
# Builds Quenvale and runs every test: the unit and window tests (headless),
# the core tests again under AddressSanitizer and UBSan, and the fuzz target
# for a bounded time on its seed corpus.
set -uo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh || exit 1
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
fuzz_seconds=${QUENVALE_FUZZ_SECONDS:-45}

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

echo "== Fuzzing the reader, the cutting and the CSV text for ${fuzz_seconds} s (build-fuzz/)"
if CC=clang CXX=clang++ cmake -S fuzz -B build-fuzz -G Ninja >/dev/null \
   && cmake --build build-fuzz -j "$jobs"; then
  rm -rf build-fuzz/corpus && mkdir -p build-fuzz/corpus
  cp fuzz/seeds/* samples/*.fib build-fuzz/corpus/
  if build-fuzz/fuzz_result_file -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=4096 \
       -print_final_stats=1 -artifact_prefix=build-fuzz/ build-fuzz/corpus 2>&1 | tail -n 12; then
    echo "fuzz: no crash, sanitizer report or hang"
    passed=$((passed + 1))
  else
    echo "fuzz: FAILED (see the artifact in build-fuzz/)"
    failed=$((failed + 1))
  fi
else
  echo "fuzz build failed"
  failed=$((failed + 1))
fi

echo
echo "total: ${passed} passed, ${failed} failed"
[ "$failed" -eq 0 ]

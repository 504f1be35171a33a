#!/usr/bin/env bash
# Builds the checked builds and runs every test in each: the address and undefined
# behaviour build in build-asan/, the thread build in build-tsan/. Prints per build the
# tests run and failed and the sanitizer reports found; exit code 0 only when every
# test passed with no report. Arguments choose the builds (default: address thread).
# What is left out is compiled in: glib's suppressions (cmake/SanitizerDefaults.cpp) and, in
# the thread build, races behind Qt's own locks (platform/checked/QtThreadReports.cpp); Qt paints there
# without its thread pool (platform/checked/QtThreadPoolOff.cpp).
set -uo pipefail
cd "$(dirname "$0")/.."
JOBS=${ZV_JOBS:-3}
KINDS=("$@")
[ ${#KINDS[@]} -eq 0 ] && KINDS=(address thread)

# A report is counted once, by its first line.
count_reports() {
  grep -cE '^(==[0-9]+==ERROR: (AddressSanitizer|LeakSanitizer)|WARNING: ThreadSanitizer|.*runtime error: )' "$1"
}

status=0
summary=()
for kind in "${KINDS[@]}"; do
  case $kind in
    address) dir=build-asan ;;
    thread) dir=build-tsan ;;
    *) echo "unknown build '$kind' (address or thread)"; exit 2 ;;
  esac
  echo "== $kind build in $dir"
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZV_SANITIZE="$kind" > "$dir.configure.log" 2>&1 \
    || { cat "$dir.configure.log"; exit 1; }
  nice -n 10 cmake --build "$dir" -j "$JOBS" || exit 1
  log=$dir/Testing/Temporary/LastTest.log
  # Reports go to the test's output; a report fails its test (exit code 66).
  # Not strict_string_checks: it takes a legal strndup of an unterminated buffer (as the X
  # keyboard library does) for an overflow.
  export ASAN_OPTIONS=detect_leaks=1:exitcode=66:detect_stack_use_after_return=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1:exitcode=66
  export TSAN_OPTIONS=halt_on_error=0:exitcode=66:second_deadlock_stack=1
  (cd "$dir" && nice -n 10 ctest -j "$JOBS" --output-on-failure) > "$dir/sanitize-ctest.out" 2>&1
  run=$(grep -oE 'tests passed, [0-9]+ tests failed out of [0-9]+' "$dir/sanitize-ctest.out" | grep -oE '[0-9]+$')
  failed=$(grep -oE '[0-9]+ tests failed' "$dir/sanitize-ctest.out" | grep -oE '^[0-9]+')
  reports=$(count_reports "$log")
  grep -A200 'The following tests FAILED' "$dir/sanitize-ctest.out"
  summary+=("$kind: ${run:-0} tests run, ${failed:-?} failed, $reports sanitizer reports (log: $log)")
  [ "${failed:-1}" = 0 ] && [ "$reports" = 0 ] || status=1
done
printf '%s\n' "${summary[@]}"
exit $status

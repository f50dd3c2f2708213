#!/bin/bash
# Runs every fuzz target of a ZELVANA_FUZZ build for a bounded time on a copy
# of its seeds (the committed corpus/<target>/ and the seeds the build wrote),
# under ASan and UBSan. One summary line per target; exits non-zero when any
# target found a crash, a hang, a leak or a broken property.
#   run_fuzz.sh BUILD_FOLDER [SECONDS_PER_TARGET] [TARGET...]
set -u
build=${1:?usage: run_fuzz.sh BUILD_FOLDER [SECONDS] [TARGET...]}
seconds=${2:-30}
shift $(( $# >= 2 ? 2 : 1 ))
here=$(cd "$(dirname "$0")" && pwd)
bin=$build/tests/fuzz
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_settings fuzz_personal fuzz_tips fuzz_banklist fuzz_template
                                      fuzz_table fuzz_printer_shift fuzz_jpeg fuzz_user_layout)
work=$build/fuzz-run
rm -rf "$work"
mkdir -p "$work"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:allocator_may_return_null=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS=suppressions=$here/lsan.supp
export QT_QPA_PLATFORM=offscreen
# The loaders' own scratch copies (QTemporaryDir) go to memory as well.
[ -d /dev/shm ] && export TMPDIR=/dev/shm

failed=0
summary=()
for t in "${targets[@]}"; do
  if [ ! -x "$bin/$t" ]; then
    summary+=("FAIL $t: not built ($bin/$t)")
    failed=1
    continue
  fi
  corpus=$work/$t/corpus
  artifacts=$work/$t/artifacts
  mkdir -p "$corpus" "$artifacts"
  cp "$here/corpus/$t/"* "$corpus/" 2>/dev/null
  cp "$bin/seeds/$t/"* "$corpus/" 2>/dev/null
  log=$work/$t/log
  # -timeout: one input may take 10 s at most; -rss_limit_mb: 2 GiB; inputs
  # up to 8 KiB, more than any record or template and a table of many rows.
  "$bin/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
            -print_final_stats=1 -artifact_prefix="$artifacts/" "$corpus" > "$log" 2>&1
  rc=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  ft=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  found=$(ls "$artifacts" 2>/dev/null | head -1)
  if [ $rc -ne 0 ] || [ -n "$found" ]; then
    failed=1
    summary+=("FAIL $t: exit $rc after ${runs:-?} runs, input ${found:+$artifacts/$found} (log $log)")
    echo "---- $t: last lines of $log"
    tail -40 "$log"
  else
    summary+=("ok   $t: ${runs:-?} runs in ${seconds} s, coverage ${cov:-?} edges, ${ft:-?} features, corpus $(ls "$corpus" | wc -l) files")
  fi
done

echo "== fuzz summary"
printf '%s\n' "${summary[@]}"
bad=$(printf '%s\n' "${summary[@]}" | grep -c '^FAIL')
echo "fuzz: $(( ${#summary[@]} - bad )) passed, $bad failed"
exit $failed

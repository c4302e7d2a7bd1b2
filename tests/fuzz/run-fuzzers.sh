#!/bin/sh
# Runs every fuzzer for SECONDS seconds from its seed corpus:
#   run-fuzzers.sh FUZZ_BIN_FOLDER SEED_FOLDER WORK_FOLDER SECONDS
# Each fuzzer starts from the seeds and keeps what it learns in
# WORK_FOLDER/corpus/NAME, so a later run goes on from there. A fault stops
# that fuzzer and leaves its input as WORK_FOLDER/crash-*, leak-*, oom-* or
# timeout-*; the script then fails. The random seed is fixed, so a given
# corpus and duration explore alike.
set -u
bin=$1 seeds=$2 work=$3 seconds=$4
here=$(cd "$(dirname "$0")" && pwd)
# The targets write each input to a file: keep that off the disk.
[ -w /dev/shm ] && export TMPDIR=/dev/shm
export LSAN_OPTIONS="suppressions=$here/lsan.supp"
failed=""
passed=0
for name in stored_picture stored_sound level_archive picture_file pack; do
  corpus=$work/corpus/$name
  mkdir -p "$corpus"
  dict=""
  [ -f "$here/$name.dict" ] && dict="-dict=$here/$name.dict"
  echo "== fuzz_$name for ${seconds}s"
  # -timeout: a hang is caught all the same, while a picture of 8192 x 8192
  # pixels on a busy machine (a few seconds) never is.
  if ! "$bin/fuzz_$name" -seed=1 -max_total_time="$seconds" -timeout=30 \
      -rss_limit_mb=2048 -print_final_stats=1 $dict \
      -artifact_prefix="$work/" "$corpus" "$seeds/$name" >"$work/$name.log" 2>&1; then
    failed="$failed $name"
    tail -n 60 "$work/$name.log"
  else
    passed=$((passed + 1))
  fi
  grep -E '^stat::number_of_executed_units|^Done ' "$work/$name.log"
done
[ -n "$failed" ] && echo "Fuzzers that found a fault:$failed (inputs in $work)"
echo "fuzzers: $passed passed, $(echo $failed | wc -w) failed"
[ -z "$failed" ]

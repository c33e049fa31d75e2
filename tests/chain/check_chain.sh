#!/usr/bin/env bash
# End-to-end test of the example chain: runs examples/chain.sh on the example
# data with the programs of a build and compares every file it writes with
# tests/chain/expected/ byte for byte; only the CPU-time line of the two start
# lists (reports of qvx) is masked.
#   tests/chain/check_chain.sh <bin dir> <data dir> <expected dir> <work dir>
# With UPDATE_EXPECTED=1 the expected files are replaced by this run's files
# (read them before committing them).
set -euo pipefail

if [ $# -ne 4 ]; then
  echo "usage: $0 <bin dir> <data dir> <expected dir> <work dir>" >&2
  exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
bin=$1 data=$2 expected=$3 work=$4
chain="$here/../../examples/chain.sh"

rm -rf "$work"
mkdir -p "$work"
"$chain" "$bin" "$data" "$work/out"

# The chain's own files: everything in the run directory but the copied inputs.
inputs=" genome.fasta curve.txt precds_frame.txt precds_strand.txt Matrix "
produced=()
for path in "$work"/out/*; do
  name=$(basename "$path")
  [[ $inputs == *" $name "* ]] || produced+=("$name")
done

if [ "${UPDATE_EXPECTED:-0}" = 1 ]; then
  rm -rf "$expected"
  mkdir -p "$expected"
  for name in "${produced[@]}"; do cp "$work/out/$name" "$expected/$name"; done
  echo "expected files written to $expected"
  exit 0
fi

mask() { sed -E 's/^cpu time user: .*$/cpu time user: <masked>/' "$1"; }

shopt -s nullglob
failed=0
if [ -z "$(ls -A "$expected" 2>/dev/null)" ]; then
  echo "no expected files in $expected"
  failed=1
fi
for path in "$expected"/*; do
  name=$(basename "$path")
  if [ ! -f "$work/out/$name" ]; then
    echo "missing output: $name"
    failed=1
  elif ! diff -u <(mask "$path") <(mask "$work/out/$name") > "$work/$name.diff"; then
    echo "differs: $name"
    head -n 40 "$work/$name.diff"
    failed=1
  fi
done
for name in "${produced[@]}"; do
  if [ ! -f "$expected/$name" ]; then
    echo "unexpected output: $name"
    failed=1
  fi
done
if [ "$failed" = 0 ]; then
  echo "chain: ${#produced[@]} files as expected"
fi
exit "$failed"

#!/usr/bin/env bash
# Genome-scale timings, run by hand (never by the tests).
#   bench/run.sh [bin dir]      default: build/bin
# Generates bench/data/ once (bench/gen_scenario.py), then runs every
# bench/bench_*.sh with the bin dir and the data dir, each printing its figures.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bin=$(cd "${1:-$here/../build/bin}" && pwd)
data="$here/data"
if [ ! -f "$data/genome.fasta" ]; then
  python3 "$here/gen_scenario.py" --out "$data"
fi
for script in "$here"/bench_*.sh; do
  [ -e "$script" ] || continue
  echo "== $(basename "$script" .sh)"
  bash "$script" "$bin" "$data"
done

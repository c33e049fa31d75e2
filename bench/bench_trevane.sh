#!/usr/bin/env bash
# trevane on the genome-scale scenario: raw report (-r) with three curves.
#   bench/bench_trevane.sh <bin dir> <data dir>
# Prints wall time and peak memory of trevane, the same for trevane_plain
# (plain scans, when built) with a check that both reports are identical,
# and how trevane's time grows with the genome size (1.25, 2.5 and 5 Mb
# scenarios, generated once under <data dir>/trevane_growth/).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bin=$(cd "$1" && pwd)
data=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# run <program> <data dir> <report file>: prints "<seconds> s, <peak> MB"
run() {
  ( cd "$2" && /usr/bin/time -f '%e %M' -o "$work/time" "$1" -c curve3.txt -c curve2.txt \
      -c curve1.txt -f cds_filtered.txt -l cds_list.txt -r > "$3" 2> /dev/null )
  read -r seconds kilobytes < <(tail -n 1 "$work/time")
  echo "$seconds s, $((kilobytes / 1024)) MB"
}

echo "trevane -r, three curves, $(wc -l < "$data/curve1.txt") rows each:"
echo "  indexed: $(run "$bin/trevane" "$data" "$work/indexed.txt"), $(wc -l < "$work/indexed.txt") report lines"
if [ -x "$bin/trevane_plain" ]; then
  echo "  plain:   $(run "$bin/trevane_plain" "$data" "$work/plain.txt")"
  if cmp -s "$work/indexed.txt" "$work/plain.txt"; then
    echo "  reports identical"
  else
    echo "  REPORTS DIFFER"
    exit 1
  fi
fi

echo "growth with genome size (indexed):"
for size in 1250000 2500000 5000000; do
  dir="$data/trevane_growth/$size"
  if [ ! -f "$dir/curve1.txt" ]; then
    python3 "$here/gen_scenario.py" --out "$dir" --size "$size" > /dev/null
  fi
  echo "  $size nt: $(run "$bin/trevane" "$dir" "$work/growth.txt")"
done

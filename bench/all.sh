#!/usr/bin/env bash
# Runs every benchmark of the project and prints one table: each figure, its
# goal beside it, and whether it holds.
#   bench/all.sh [BUILD_DIR] [NAME-PATTERN]
# A benchmark is any executable bench/**/*.sh that prints figures: lines
#   FIGURE<TAB>name<TAB>value<TAB>goal<TAB>holds[<TAB>note]
# (bench/figures.sh's `figure` prints them). Each is run as
# `SCRIPT BUILD_DIR` with its own defaults; its whole output is kept in
# BUILD_DIR/bench-logs/. A benchmark that fails or prints no figure shows as
# one row saying so. Scripts without figures (bench/fuzz.sh) are not run.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$top/build}" && pwd)
pattern=${2:-}
logs="$build/bench-logs"
mkdir -p "$logs"

mapfile -t benchmarks < <(cd "$top" && find bench -name '*.sh' -perm -u+x ! -name all.sh | sort |
  while read -r script; do grep -q 'FIGURE\|^ *figure ' "$script" && echo "$script"; done)

rows="$logs/table.tsv"
: >"$rows"
for script in "${benchmarks[@]}"; do
  [ -n "$pattern" ] && [[ $script != *$pattern* ]] && continue
  name=${script#bench/}
  name=${name%.sh}
  log="$logs/${name//\//-}.log"
  echo "running $script ..." >&2
  start=$(date +%s)
  "$top/$script" "$build" >"$log" 2>&1
  status=$?
  echo "  done in $(($(date +%s) - start)) s, exit $status, log $log" >&2
  grep -P '^FIGURE\t' "$log" | cut -f2- | sed "s|^|$name\t|" >>"$rows"
  if ! grep -qP '^FIGURE\t' "$log"; then
    printf '%s\t%s\t%s\t%s\t%s\n' "$name" "(the benchmark failed or printed no figure)" "exit $status" - no >>"$rows"
  fi
done

/usr/bin/python3 - "$rows" <<'PY'
import sys
rows = [line.rstrip("\n").split("\t") for line in open(sys.argv[1]) if line.strip()]
head = ["benchmark", "figure", "value", "goal", "holds", "beside"]
rows = [r + ["-"] * (5 - len(r)) + [""] * (len(r) < 6) for r in rows]
widths = [max(len(r[i]) for r in [head] + rows) for i in range(6)]
line = lambda r: "  ".join(c.ljust(w) for c, w in zip(r, widths)).rstrip()
print(line(head))
print(line(["-" * w for w in widths]))
for r in rows:
    print(line(r))
held = sum(r[4] == "yes" for r in rows)
goals = sum(r[4] in ("yes", "no") for r in rows)
print(f"\n{held} of {goals} goals hold")
PY

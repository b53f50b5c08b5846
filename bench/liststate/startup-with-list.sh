#!/usr/bin/env bash
# Start-up time to the main window painted, without a saved list and with a
# saved list of 200 rows (read and shown before the first picture). Prints
# FIGURE lines; the goal is no start-up slower by more than 10 %.
#   bench/liststate/startup-with-list.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
runs=${2:-20}
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$build" "$runs"
fi
if [ -z "${KELVARA_BENCH_BUS:-}" ]; then
  KELVARA_BENCH_BUS=1 exec dbus-run-session -- "$0" "$build" "$runs" 2> >(grep -v "Failed to set fd limit" >&2)
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/empty" "$work/full/kelvara" "$work/home"
/usr/bin/python3 - "$work/full/kelvara/list.json" "$work" <<'PY'
import json, sys
sources = []
for i in range(200):
    path = "%s/clip %03d.mp4" % (sys.argv[2], i)
    open(path, "w").close()
    sources.append(path)
jobs = [{"source": s, "durationMs": 60000, "trimMs": [1000, 50000], "state": "done" if i % 3 == 0 else "queued",
         "output": s + ".out.mp4", "outcome": "finished in 3 s" if i % 3 == 0 else ""} for i, s in enumerate(sources)]
json.dump({"version": 1, "window": {"category": 0, "tab": 3, "outputFolder": sys.argv[2] + "/"}, "jobs": jobs},
          open(sys.argv[1], "w"))
PY
export HOME="$work/home" KELVARA_QUIT_WHEN_PAINTED=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=0
# Each start would rewrite the list it read; the copy is put back first.
cp "$work/full/kelvara/list.json" "$work/list.json"
hyperfine --warmup 3 --runs "$runs" --export-json "$work/times.json" \
  -n "no list" "XDG_STATE_HOME=$work/empty $build/kelvara/kelvara" \
  --prepare "cp $work/list.json $work/full/kelvara/list.json" \
  -n "200 rows" "XDG_STATE_HOME=$work/full $build/kelvara/kelvara" >/dev/null
/usr/bin/python3 - "$work/times.json" <<'PY'
import json, statistics, sys
results = {r["command"]: statistics.median(r["times"]) for r in json.load(open(sys.argv[1]))["results"]}
empty, full = results["no list"], results["200 rows"]
ratio = full / empty
holds = lambda ok: "yes" if ok else "no"
print("FIGURE\tstart-up: to the main window painted, no saved list (s)\t%.3f\t-\t-" % empty)
print("FIGURE\tstart-up: to the main window painted, 200 saved rows (s)\t%.3f\t-\t-" % full)
print("FIGURE\tstart-up: 200 saved rows / no saved list\t%.3f\t<= 1.10\t%s" % (ratio, holds(ratio <= 1.10)))
PY

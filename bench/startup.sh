#!/usr/bin/env bash
# Start-up time: from starting kelvara to its main window painted, against the
# smallest Qt widget program measured in the same run, at scale 1 and 2.
# Goals at each scale: median at most 0.25 s and at most 2 times the minimal
# program's.
#   bench/startup.sh [BUILD_DIR] [RUNS]
# Runs on the current display, or on a private X server when there is none.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
runs=${2:-20}
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 2048x1536x24" "$0" "$build" "$runs"
fi
# A session bus of its own: on the user's bus a start would hand its files to
# a Kelvara window already open and end without painting anything.
if [ -z "${KELVARA_BENCH_BUS:-}" ]; then
  KELVARA_BENCH_BUS=1 exec dbus-run-session -- "$0" "$build" "$runs" 2> >(grep -v "Failed to set fd limit" >&2)
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME="$work" KELVARA_QUIT_WHEN_PAINTED=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=0
minimal="$build/bench/bench_minimal_window"
kelvara="$build/kelvara/kelvara"

# Both sides are started alike: in a session of their own, waited for to
# their end (setsid -w), so neither gets the shell's terminal or job control.
for scale in 1 2; do
  QT_SCALE_FACTOR=$scale hyperfine --warmup 3 --runs "$runs" --export-json "$work/times-$scale.json" \
    -n minimal "setsid -w $minimal" -n kelvara "setsid -w $kelvara" >/dev/null
  # The shared objects mapped when each first picture is shown.
  for side in minimal kelvara; do
    QT_SCALE_FACTOR=$scale KELVARA_STARTUP_TRACE=1 setsid -w "${!side}" 2>&1 \
      | sed -n 's/.*painted.*(\([0-9]*\) libraries).*/\1/p' | head -n 1 >"$work/libraries-$scale-$side"
  done
done
cat /proc/loadavg >"$work/loadavg"

/usr/bin/python3 - "$work" <<'PY'
import json, statistics, sys
work = sys.argv[1]
load = open(work + "/loadavg").read().split()[:3]
holds = lambda ok: "yes" if ok else "no"
print("load average during the run (1, 5, 15 min): %s" % " ".join(load))
for scale in ("1", "2"):
    results = {r["command"]: r for r in json.load(open("%s/times-%s.json" % (work, scale)))["results"]}
    median = {side: statistics.median(results[side]["times"]) for side in results}
    cpu = {side: results[side]["user"] + results[side]["system"] for side in results}
    libraries = {side: open("%s/libraries-%s-%s" % (work, scale, side)).read().strip() or "?" for side in results}
    ratio = median["kelvara"] / median["minimal"]
    cpu_ratio = cpu["kelvara"] / cpu["minimal"]
    print("scale %sx:" % scale)
    print("  minimal Qt window:   median %.3f s, CPU %.3f s, %s libraries at first paint"
          % (median["minimal"], cpu["minimal"], libraries["minimal"]))
    print("  kelvara main window: median %.3f s, CPU %.3f s, %s libraries at first paint   (goal <= 0.250 s: %s)"
          % (median["kelvara"], cpu["kelvara"], libraries["kelvara"], "met" if median["kelvara"] <= 0.25 else "NOT met"))
    print("  ratio of medians: %.2f   (goal <= 2: %s)   CPU-time ratio: %.2f   load average: %s"
          % (ratio, "met" if ratio <= 2 else "NOT met", cpu_ratio, load[0]))
    print("FIGURE\tstart-up %sx: to the main window painted (s)\t%.3f\t<= 0.25\t%s"
          % (scale, median["kelvara"], holds(median["kelvara"] <= 0.25)))
    print("FIGURE\tstart-up %sx: kelvara / minimal Qt window\t%.2f\t<= 2\t%s" % (scale, ratio, holds(ratio <= 2)))
    print("FIGURE\tstart-up %sx: CPU time kelvara / minimal Qt window\t%.2f\t-\t-" % (scale, cpu_ratio))
    print("FIGURE\tstart-up %sx: libraries mapped at the first paint\t%s\t-\t-" % (scale, libraries["kelvara"]))
PY

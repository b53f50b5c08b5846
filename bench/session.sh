# Sourced by the benchmarks that compare the program with ffmpeg run
# directly. The program starts its encoder in a session of its own, and the
# kernel's autogroup scheduling gives each session its own share of the
# processor: a side left in the shell's session shares one share with all
# else there, and loses under load. So both sides start the same way, each in
# a session of its own (setsid -w), and beside every ratio of wall times goes
# the ratio of CPU times (what load does not change) and the load average.

now() { date +%s.%N; }
elapsed() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.4f\n", b - a }'; }
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }

# timed_session OUTPUT COMMAND...: runs COMMAND in a session of its own, its
# standard output to the file OUTPUT, and prints "WALL CPU" in seconds, CPU
# being the user and system time of COMMAND and of every process it or its
# children waited for. A failure is told on standard error.
timed_session() {
  local output=$1 times start status=0
  shift
  times=$(mktemp)
  start=$(now)
  /usr/bin/time -f '%U %S' -o "$times" setsid -w "$@" >"$output" 2>>"${SESSION_ERRORS:-/dev/null}" </dev/null ||
    status=$?
  [ "$status" -eq 0 ] || echo "failed ($status): $*" >&2
  echo "$(elapsed "$start") $(awk 'END { printf "%.4f", $1 + $2 }' "$times")"
  rm -f "$times"
}

# load_average: the first three fields of /proc/loadavg (1, 5, 15 minutes).
load_average() { cut -d' ' -f1-3 /proc/loadavg; }

# beside CPU_RATIO: the note a compared figure carries, with the load now.
beside() { echo "CPU ratio $1; load $(load_average)"; }

# Helpers the batch benchmarks share; sourced, not run.

source "$(dirname "${BASH_SOURCE[0]}")/../session.sh"

field() { sed -n "s/.*$1=\([0-9.]*\).*/\1/p"; }

# setup BUILD_DIR: sets tools, bench (the batch driver) and work, a folder
# removed at exit with out/ and capture/ in it.
setup() {
  tools="$(cd "$1/kelvara/tools" && pwd)"
  bench="$(cd "$1/bench/batch" && pwd)/bench_batch"
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  mkdir "$work/out" "$work/capture"
}

# make_clip PATH SECONDS SIZE: a test picture and a tone, MPEG-4 and PCM.
make_clip() {
  ffmpeg -v error -y -f lavfi -i "testsrc2=size=$3:rate=25:duration=$2" \
    -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=$2" \
    -c:v mpeg4 -q:v 4 -c:a pcm_s16le -shortest "$1"
}

# make_capture DIR: an "ffmpeg" in DIR that writes its command line, quoted
# for the shell, to DIR/commands and then becomes the real ffmpeg. Both the
# encoder and the video-editing component take it through TARVO_FFMPEG, so
# one batch run under it yields exactly the ffmpeg work the program asks for.
# The program hands ffmpeg its outputs as unnamed files (/proc/self/fd/N,
# with the format given); the replay writes a named file of the folder
# beside DIR in their place.
make_capture() {
  local real
  real=$(command -v ffmpeg)
  cat >"$1/ffmpeg" <<SCRIPT
#!/usr/bin/env bash
# The start-up's look for graphics-card encoders (their list and one-frame
# trials) is no conversion work: it is run, not recorded.
for argument in "\$@"; do
  [[ \$argument == -encoders || \$argument == color=size=256x256:duration=0.04 ]] && exec "$real" "\$@"
done
replayed=()
for argument in "\$@"; do
  [[ \$argument =~ ^/proc/self/fd/[0-9]+$ ]] && argument="$1/../out/replay-\$RANDOM\$RANDOM\$RANDOM"
  replayed+=("\$argument")
done
printf '%q' "$real" >>"$1/commands"
printf ' %q' "\${replayed[@]}" >>"$1/commands"
printf '\n' >>"$1/commands"
exec "$real" "\$@"
SCRIPT
  chmod +x "$1/ffmpeg"
  : >"$1/commands"
}

# kind_options KIND: the options bench_batch takes for KIND: the start
# profile of the kinds that have profiles, as the panel loads it.
kind_options() {
  case $1 in
  psp) echo --profile 7 ;;
  phone) echo --profile 2 ;;
  mp4 | mkv | webm | av1 | tv | web) echo --profile 1 ;;
  esac
}

# capture_batch KIND ARGUMENT...: one batch of KIND under the capturing
# ffmpeg, into $work/out, in a session of its own as the timed batches run;
# its figures go to $work/run.txt, its ffmpeg commands to
# $work/capture/commands.
capture_batch() {
  local kind=$1
  shift
  make_capture "$work/capture"
  # shellcheck disable=SC2046 # the options are words
  TARVO_FFMPEG="$work/capture/ffmpeg" setsid -w "$bench" "$tools" "$work/out" "$kind" $(kind_options "$kind") "$@" \
    >"$work/run.txt"
  empty "$work/out"
}

# replay FILE: runs every captured ffmpeg command, one after the other, as
# a shell loop would. The program reads ffmpeg's progress on descriptor 3;
# here it goes to /dev/null.
replay() {
  while IFS= read -r line; do
    eval "$line" </dev/null >/dev/null 2>&1 3>/dev/null
  done <"$1"
}

# replay_side_by_side FILE N: runs the captured ffmpeg commands N at a time
# (xargs -P), each as the loop above would but in a session of its own, as
# the program starts each job's encoder: one session for all would get one
# share of the processor under load, where the program's jobs get one each.
replay_side_by_side() {
  # shellcheck disable=SC2016 # the line is expanded by the inner shell
  xargs -d '\n' -n 1 -P "$2" setsid -w bash -c 'eval "$1" </dev/null >/dev/null 2>&1 3>/dev/null' replay <"$1"
}

# timed_replay FILE [N]: replays FILE in a session of its own, as a shell
# loop or, given N, N commands at a time, and prints "WALL CPU" in seconds,
# CPU being the user and system time of the loop and every ffmpeg it ran.
timed_replay() {
  if [ $# -gt 1 ]; then
    timed_session /dev/null bash -c "source '${BASH_SOURCE[0]}'; replay_side_by_side '$1' $2"
  else
    timed_session /dev/null bash -c "source '${BASH_SOURCE[0]}'; replay '$1'"
  fi
}

# timed_batch OUTPUT KIND ARGUMENT...: one batch of KIND into $work/out by
# bench_batch in a session of its own, as the direct side runs; its figures
# go to OUTPUT. Prints "WALL CPU" of the batch from its start to its end:
# the batch's own clock, and the CPU time of the driver and every process it
# waited for meanwhile (the window's start-up is not the batch's work).
timed_batch() {
  local output=$1 kind=$2
  shift 2
  # shellcheck disable=SC2046 # the options are words
  timed_session "$output" "$bench" "$tools" "$work/out" "$kind" $(kind_options "$kind") "$@" >/dev/null
  echo "$(field elapsed <"$output") $(field tree_cpu <"$output")"
}

# empty DIR: removes what a run wrote, hidden files included.
empty() { find "$1" -mindepth 1 -delete; }

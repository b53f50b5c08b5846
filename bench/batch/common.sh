# Helpers the batch benchmarks share; sourced, not run.

now() { date +%s.%N; }
elapsed() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.4f\n", b - a }'; }
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }
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

# kind_options KIND: the options bench_batch takes for KIND (the PSP's
# start profile is 7).
kind_options() {
  [[ $1 == psp ]] && echo --profile 7 || true
}

# capture_batch KIND ARGUMENT...: one batch of KIND under the capturing
# ffmpeg, into $work/out; its figures go to $work/run.txt, its ffmpeg
# commands to $work/capture/commands.
capture_batch() {
  local kind=$1
  shift
  make_capture "$work/capture"
  # shellcheck disable=SC2046 # the options are words
  TARVO_FFMPEG="$work/capture/ffmpeg" "$bench" "$tools" "$work/out" "$kind" $(kind_options "$kind") "$@" \
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

# timed_replay FILE: replays FILE and prints "WALL CPU" in seconds, CPU
# being the user and system time of the loop and every ffmpeg it ran.
timed_replay() {
  local times
  times=$(mktemp)
  /usr/bin/time -f '%e %U %S' -o "$times" bash -c "source '${BASH_SOURCE[0]}'; replay '$1'"
  awk '{ printf "%.4f %.4f\n", $1, $2 + $3 }' "$times"
  rm -f "$times"
}

# empty DIR: removes what a run wrote, hidden files included.
empty() { find "$1" -mindepth 1 -delete; }

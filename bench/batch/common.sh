# Helpers the batch benchmarks share; sourced, not run.

now() { date +%s.%N; }
elapsed() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.4f\n", b - a }'; }
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }
field() { sed -n "s/.*$1=\([0-9.]*\).*/\1/p"; }

# make_capture DIR: an "ffmpeg" in DIR that writes its command line, quoted
# for the shell, to DIR/commands and then becomes the real ffmpeg. Both the
# encoder and the video-editing component take it through TARVO_FFMPEG, so
# one batch run under it yields exactly the ffmpeg work the program asks for.
make_capture() {
  local real
  real=$(command -v ffmpeg)
  cat >"$1/ffmpeg" <<SCRIPT
#!/usr/bin/env bash
printf '%q' "$real" >>"$1/commands"
printf ' %q' "\$@" >>"$1/commands"
printf '\n' >>"$1/commands"
exec "$real" "\$@"
SCRIPT
  chmod +x "$1/ffmpeg"
  : >"$1/commands"
}

# replay FILE: runs every captured ffmpeg command, one after the other, as
# a shell loop would. The program reads ffmpeg's progress on descriptor 3;
# here it goes to /dev/null.
replay() {
  while IFS= read -r line; do
    eval "$line" </dev/null >/dev/null 2>&1 3>/dev/null
  done <"$1"
}

# empty DIR: removes what a run wrote, hidden files included.
empty() { find "$1" -mindepth 1 -delete; }

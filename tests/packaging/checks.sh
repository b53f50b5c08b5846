# shellcheck shell=bash
# Shared by the packaging checks: every failed check is reported, then the
# script fails once at the end, so one run shows everything that is wrong.
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
need_tool() {
  command -v "$1" >/dev/null 2>&1 || { echo "SKIP: $1 is not installed"; exit 77; }
}
finish() {
  if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed"
    exit 1
  fi
  echo "all checks passed"
}
# The PNG's width and height as "WxH", read from its header.
png_size() {
  od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }'
}
# The value of KEY= in a desktop entry's main group.
desktop_value() {
  sed -n "/^\[Desktop Entry\]/,/^\[/s/^$2=//p" "$1" | head -n 1
}

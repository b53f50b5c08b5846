#!/bin/sh
# Runs one desktop scenario against the real program: a private X server with
# a window manager, a session bus and the accessibility bus, a fresh HOME.
#   run-desktop.sh SCENARIO.py PROGRAM SCREENS-FOLDER
set -eu
scenario=$1
export KELVARA_PROGRAM="$2"
export KELVARA_SCREENS="$3"
mkdir -p "$KELVARA_SCREENS"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
export HOME="$work/home"
export XDG_CONFIG_HOME="$HOME/.config"
# The saved file list too: each scenario starts with none of its own.
export XDG_STATE_HOME="$HOME/.local/state"
export XDG_RUNTIME_DIR="$work/run"
mkdir -p "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
export KELVARA_WORK="$work"
here=$(cd "$(dirname "$0")" && pwd)
# A scenario may ask for a bigger screen (KELVARA_SCREEN_SIZE, e.g. 2200x1600).
# xvfb-run leaves its server to end on its own, so the next scenario could be
# given the same display while that server still answers on it: the window
# manager then talked to the old one. Look for a free display from a number
# of this run's own.
first_display=$((200 + $$ % 3000))
xvfb-run -a -n "$first_display" -s "-screen 0 ${KELVARA_SCREEN_SIZE:-1024x768}x24 -br" dbus-run-session -- sh "$here/in-session.sh" "$scenario"

#!/bin/sh
# Inside the X server and the session bus: the window manager and the
# accessibility bus, then the scenario.
name=$(basename "$1" .py)
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
bus=$!
# The window manager announces itself on the root window once it manages.
# Now and then, just after the previous scenario's server went away, it
# cannot open the display and ends at once: start it again. The scenarios
# find windows through its client list, so without it they would wait in
# vain: on a busy machine give it time, then say so.
tries=0
wm=
while ! { [ -n "$wm" ] && kill -0 "$wm" 2>/dev/null &&
          xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window; }; do
  if [ -z "$wm" ] || ! kill -0 "$wm" 2>/dev/null; then
    openbox --sm-disable >>"$KELVARA_SCREENS/$name.openbox.log" 2>&1 &
    wm=$!
  fi
  if [ $tries -ge 300 ]; then
    echo "the window manager did not start" >&2
    exit 1
  fi
  sleep 0.1
  tries=$((tries + 1))
done
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export QT_QPA_PLATFORM=xcb
unset QT_ACCESSIBILITY_DISABLED 2>/dev/null || true
status=0
/usr/bin/python3 "$1" || status=$?
kill $wm $bus 2>/dev/null
wait 2>/dev/null
exit $status

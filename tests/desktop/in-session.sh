#!/bin/sh
# Inside the X server and the session bus: the window manager and the
# accessibility bus, then the scenario.
openbox --sm-disable >/dev/null 2>&1 &
wm=$!
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
bus=$!
# The window manager announces itself on the root window once it manages.
tries=0
while ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && [ $tries -lt 50 ]; do
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

#!/bin/sh
# Tarrow itself under Xvfb, in each shipped language: the Welcome page opens, a real mouse click on
# its Cancel button leads to the Cancel page (the Welcome window goes, another one comes), and a
# click on that page's Close button ends the program with exit code 0.
# Usage: cancel-flow.sh TARROW   (inside xvfb-run, with xdotool; TARROW_DRIVE_C set)
set -u
tarrow=$1
log="$TARROW_DRIVE_C/Tarrow.log"
pid=
fail() {
  echo "FAIL ($lang): $*" >&2
  [ -f "$log" ] && sed 's/^/  log: /' "$log" >&2
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  exit 1
}

# Waits up to 10 s for the condition in "$@".
wait_until() {
  n=0
  until "$@"; do
    n=$((n + 1)); [ $n -gt 100 ] && return 1; sleep 0.1
  done
}
visible_window() { xdotool search --onlyvisible --name "Scan Setup Wizard" 2>/dev/null | head -n 1; }
has_window() { [ -n "$(visible_window)" ]; }
other_window() { w=$(visible_window); [ -n "$w" ] && [ "$w" != "$1" ]; }
entered_welcome() { grep -q "Entering Welcome dialog." "$log" 2>/dev/null; }
ended() { ! kill -0 "$pid" 2>/dev/null; }

# Clicks a point of the page (688 x 520, see the page screenshots) in window $1, moving there first.
click_at() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove $((X + $2 - 4)) $((Y + $3 - 4)) sleep 0.1 mousemove $((X + $2)) $(( Y + $3)) sleep 0.1 click 1
}

# The footer's left and right buttons; right to left swaps them.
left_x=76 right_x=612 buttons_y=491

for case in en_US.UTF-8:ENWW de_DE.UTF-8:DEWW he_IL.UTF-8:HEWW; do
  locale=${case%%:*} lang=${case##*:}
  rm -f "$log"
  LANG=$locale LC_ALL= LC_MESSAGES= LANGUAGE= WEBKIT_DISABLE_COMPOSITING_MODE=1 "$tarrow" 2>/dev/null &
  pid=$!
  wait_until has_window || fail "no window"
  wait_until entered_welcome || fail "Welcome page not entered"
  grep -q "HTML " "$log" || fail "no HTML line"
  welcome=$(visible_window)
  sleep 1  # first paint lags the load
  if [ "$lang" = HEWW ]; then cancel_x=$right_x close_x=$left_x; else cancel_x=$left_x close_x=$right_x; fi
  click_at "$welcome" $cancel_x $buttons_y
  wait_until other_window "$welcome" || fail "Cancel did not lead to another page"
  cancel=$(visible_window)
  sleep 1
  click_at "$cancel" $close_x $buttons_y
  wait_until ended || fail "still running after Close"
  wait "$pid"
  code=$?
  [ $code -eq 0 ] || fail "exit code $code"
  echo "ok ($lang): Welcome, Cancel, Close; exit code 0"
done

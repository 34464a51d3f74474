#!/bin/sh
# Tarrow and TarrowNetwork themselves under Xvfb against two simulated devices (HTTPS and SNMP on
# 127.0.0.5 and 127.0.0.6, port 443 and 161), driven by real mouse clicks:
# 1. a network search lists both devices (the ended Welcome window hidden meanwhile); a click on the second one and Next bring the Welcome
#    page back with its address, which Next then checks; SelectOp, FolderName and UserCredentials
#    follow (the whole set-up, with an account checked against smbd, is wizard_webkit_test's);
# 2. the device's address typed on Welcome, removal chosen on SelectOp with one of its two folders
#    checked, ConfirmDelete's Next removes it on the device, DeleteFinish follows.
# Usage: device-flow.sh BIN_DIR   (inside xvfb-run and a private network namespace, as root, with
# xdotool; TARROW_DRIVE_C set). The programs run from a copy of BIN_DIR, so that what they write
# stays in the test's sandbox.
set -u
bin=$1
sandbox=$(dirname "$TARROW_DRIVE_C")
app="$sandbox/app"
log="$TARROW_DRIVE_C/Tarrow.log"
pids=
tarrow=
fail() {
  echo "FAIL: $*" >&2
  [ -f "$log" ] && sed 's/^/  log: /' "$log" >&2
  for p in $tarrow $pids; do kill "$p" 2>/dev/null; done
  exit 1
}
trap 'for p in $tarrow $pids; do kill "$p" 2>/dev/null; done' EXIT

# Waits up to 20 s for the condition in "$@".
wait_until() {
  n=0
  until "$@"; do
    n=$((n + 1)); [ $n -gt 200 ] && return 1; sleep 0.1
  done
}
visible_window() { xdotool search --onlyvisible --name "Scan Setup Wizard" 2>/dev/null | tail -n 1; }
has_window() { [ -n "$(visible_window)" ]; }
other_window() { w=$(visible_window); [ -n "$w" ] && [ "$w" != "$1" ]; }
logged() { grep -qF -- "$1" "$log" 2>/dev/null; }
entered() { logged "Entering $1 dialog."; }
count_entered() { grep -cF -- "Entering $1 dialog." "$log" 2>/dev/null; }
entered_again() { times=$(count_entered "$1"); [ "${times:-0}" -gt "$2" ]; }
ended() { ! kill -0 "$tarrow" 2>/dev/null; }

# Clicks a point of the page (688 x 520) in the visible window, moving there first.
click_at() {
  w=$(visible_window)
  eval "$(xdotool getwindowgeometry --shell "$w")"
  xdotool mousemove $((X + $1 - 4)) $((Y + $2 - 4)) sleep 0.1 mousemove $((X + $1)) $((Y + $2)) sleep 0.1 click 1
}
# Waits for the page to be entered (again), lets it paint, and clicks.
on_page_click() {
  page=$1 seen=$2; shift 2
  wait_until entered_again "$page" "$seen" || fail "$page page not entered"
  sleep 1
  click_at "$@"
}

# The page's points: footer buttons, Welcome's search link, SelectOp's removal radio and first
# folder, the finish page's second device.
next_x=612 buttons_y=491
search_x=147 search_y=311 ip_x=360 ip_y=161
remove_x=34 remove_y=190
folder_x=45 folder_y=255
second_device_x=45 second_device_y=176

ip link set lo up 2>/dev/null
rm -rf "$app" && cp -r "$bin" "$app" && rm -f "$app/tarrow.data" "$app/js/NtwkDevList.js" "$app/js/DeviceFolderList.js"
for n in 5 6; do
  "$app/tarrow-simdevice" --address 127.0.0.$n:443 --snmp --folders 2 >"$sandbox/device$n.txt" 2>&1 &
  pids="$pids $!"
done
for n in 5 6; do
  wait_until grep -q "^listening" "$sandbox/device$n.txt" || fail "device 127.0.0.$n did not start"
done
export VESPER_SCOPE=127.0.0.1-127.0.0.9 VESPER_TIMEOUT_MS=200 VESPER_QUIET_MS=300
export LANG=en_US.UTF-8 LC_ALL= LC_MESSAGES= LANGUAGE= WEBKIT_DISABLE_COMPOSITING_MODE=1

# 1. The search, the choice, and the adding pages up to the scan options.
rm -f "$log"
"$app/Tarrow" 2>"$sandbox/tarrow1.txt" &
tarrow=$!
on_page_click Welcome 0 $search_x $search_y
wait_until logged "Network Discovery of device model" || fail "no search"
# The Welcome page ended before the search: its window is gone, not left unpainted behind it.
[ -z "$(xdotool search --onlyvisible --pid "$tarrow" --name "Scan Setup Wizard" 2>/dev/null)" ] ||
  fail "the ended Welcome window is still mapped during the search"
wait_until logged "Number Of Discovered" || fail "the search did not end"
sleep 2
click_at $second_device_x $second_device_y
sleep 0.5
click_at $next_x $buttons_y
on_page_click Welcome 1 $next_x $buttons_y
wait_until logged "-ipaddress 127.0.0.6" || fail "the chosen device's address did not reach the check"
on_page_click SelectOp 0 $next_x $buttons_y
on_page_click FolderName 0 $next_x $buttons_y
wait_until entered UserCredentials || fail "UserCredentials not entered"
echo "ok: search, choice of 127.0.0.6, SelectOp, FolderName, UserCredentials"
kill "$tarrow"; wait "$tarrow" 2>/dev/null

# 2. Removal of one of the device's folders.
rm -f "$log"
"$app/Tarrow" 2>"$sandbox/tarrow2.txt" &
tarrow=$!
wait_until entered Welcome || fail "Welcome page not entered"
sleep 1
click_at $ip_x $ip_y
xdotool type --delay 20 "127.0.0.5"
click_at $next_x $buttons_y
wait_until entered SelectOp || fail "SelectOp not entered"
sleep 1
click_at $remove_x $remove_y
sleep 0.3
click_at $folder_x $folder_y
sleep 0.3
click_at $next_x $buttons_y
on_page_click ConfirmDelete 0 $next_x $buttons_y
wait_until entered DeleteFinish || fail "DeleteFinish not entered"
logged "CConfirmDeleteDlg::DeleteFolders(): Calling DeleteFolderList(127.0.0.5,)" || fail "nothing deleted"
logged "Execute DeleteFolderList" || fail "no deletion sent"
echo "ok: removal on 127.0.0.5, DeleteFinish"
click_at $next_x $buttons_y
wait_until ended || fail "still running after Finish"

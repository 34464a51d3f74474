#!/bin/sh
# The collection tarrow.scan run by Debian's ansible-playbook on this computer (connection local)
# against two simulated printers (127.0.0.2 and 127.0.0.3) and smbd on 127.0.0.1, inside private
# network, mount and host-name namespaces of its own (tools/demo/environment.sh): check mode
# changes nothing; one run sets the folder up on both printers, which then scan into it; a second
# run changes nothing; absent removes the records, and again changes nothing. A printer that does
# not answer fails the task with tarrowctl's words; ansible-doc renders both modules; the
# account's password is in no output, log or temporary file.
# Usage: scan-folders.sh BIN_DIR   (as root, with ansible-playbook; exit 77 when it cannot run)
set -eu
[ "$(id -u)" -eq 0 ] || { echo "SKIP: needs root for its namespaces (useradd, smbd on port 445)"; exit 77; }
command -v ansible-playbook >/dev/null || { echo "SKIP: no ansible-playbook (tools/install-deps)"; exit 77; }
if [ "${TARROW_ANSIBLE_TEST_NAMESPACES:-}" != 1 ]; then
  TARROW_ANSIBLE_TEST_NAMESPACES=1 exec unshare --net --mount --uts --propagation private "$0" "$@"
fi
bin=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
cd "$here/../../.."
. tools/demo/environment.sh >/dev/null
stop() {
  stop_started "$work/pid"
  rm -rf "$work"
}
start_simulated_printer "$bin" "$computer" "$work/device3.out" 127.0.0.3

fail() {
  echo "FAIL: $*" >&2
  [ -f "$TARROW_DRIVE_C/Tarrow.log" ] && tail -n 40 "$TARROW_DRIVE_C/Tarrow.log" | sed 's/^/  log: /' >&2
  exit 1
}
export ANSIBLE_COLLECTIONS_PATH="$PWD/ansible" ANSIBLE_PIPELINING=true ANSIBLE_NO_TARGET_SYSLOG=true \
  ANSIBLE_LOCAL_TEMP="$work/ansible-local" ANSIBLE_REMOTE_TEMP="$work/ansible-remote" ANSIBLE_NOCOLOR=1 \
  ANSIBLE_RETRY_FILES_ENABLED=false ANSIBLE_CONFIG="$work/ansible.cfg"
: > "$ANSIBLE_CONFIG" # no configuration of this machine's or of a user's counts
location="$HOME/Scans"
runs=0
# play EXPECT HELD [ANSIBLE-PLAYBOOK OPTIONS]: the playbook with the state of EXPECT, the results
# of the two printers (FIRST,SECOND); they hold the record afterwards when HELD is true.
play() {
  expect=$1 held=$2; shift 2
  case $expect in added*|unchanged*) state=present ;; *) state=absent ;; esac
  case $expect in *added*|*registered*|*removed*) changes=1 ;; *) changes=0 ;; esac
  runs=$((runs + 1))
  printf '%s\n' "$password" | ansible-playbook -i localhost, -c local "$here/scan-folders.yml" \
    -e "state=$state expect=$expect held=$held account=$user location=$location tarrowctl=$bin/tarrowctl" "$@" \
    > "$work/run$runs.txt" 2>&1 || { cat "$work/run$runs.txt" >&2; fail "run $runs ($expect $*)"; }
  grep -q "^localhost *: .* changed=$changes .* failed=0" "$work/run$runs.txt" ||
    { cat "$work/run$runs.txt" >&2; fail "run $runs ($expect $*): not the changes expected"; }
}

play added,added false --check
[ ! -e "$location/Desk_Scans" ] || fail "check mode made the folder"
# The first printer's set-up makes the folder and its share; the second printer's record is added
# for the same share.
play added,registered true
for printer in 127.0.0.2 127.0.0.3; do
  "$bin/tarrow-simscan" --device $printer --folder Desk_Scans > "$work/scan.txt" 2>&1 || true
  grep -qx "OK Scan_000[12].pdf" "$work/scan.txt" || { cat "$work/scan.txt" >&2; fail "$printer did not scan"; }
done
[ "$(ls "$location/Desk_Scans" | wc -l)" -eq 2 ] || fail "not two scans in $location/Desk_Scans"
play unchanged,unchanged true
play unchanged,unchanged true --check
play removed,removed true --check
play removed,removed false
# This computer stops sharing the folder with the last record; the folder and its scans stay.
[ -z "$(net -s "$TARROW_SMB_CONF" usershare info Desk_Scans 2>/dev/null)" ] || fail "the share is still there"
[ "$(ls "$location/Desk_Scans" | wc -l)" -eq 2 ] || fail "the scans in $location/Desk_Scans did not stay"
play absent,absent false

# A printer that does not answer: the task fails with tarrowctl's error.
ansible all -i localhost, -c local -m tarrow.scan.scan_folder_info -a "device=127.0.0.9 tarrowctl=$bin/tarrowctl" \
  > "$work/unreachable.txt" 2>&1 && fail "a printer that does not answer did not fail the task"
grep -q '"msg": "no device answers at 127.0.0.9"' "$work/unreachable.txt" &&
  grep -q '"error_code": "unreachable"' "$work/unreachable.txt" || { cat "$work/unreachable.txt" >&2; fail "unreachable"; }

for module in scan_folder scan_folder_info; do
  ansible-doc "tarrow.scan.$module" > "$work/doc.txt" 2>&1 && grep -q "^EXAMPLES:" "$work/doc.txt" &&
    grep -q "^RETURN VALUES:" "$work/doc.txt" || { cat "$work/doc.txt" >&2; fail "ansible-doc tarrow.scan.$module"; }
done

if grep -rlF -- "$password" "$work"/run*.txt "$work/ansible-local" "$work/ansible-remote" "$TARROW_DRIVE_C" \
  "$HOME" 2>/dev/null; then
  fail "the password is in the files above"
fi
echo "PASS: $runs playbook runs on two printers"

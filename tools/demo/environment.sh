# The stage that the demonstration and the set-up benchmark share, sourced inside private network,
# mount and host-name namespaces (tools/try, bench/ctl-add): smbd on 127.0.0.1 with Debian's stock
# configuration and folders of its own, a demonstration account with a Samba password in an
# overlay of /etc, and a simulated printer on 127.0.0.2 that finds this computer's name at
# 127.0.0.1. stop() ends what was started, by PID, and removes the work folder; it runs on exit.
# Sets: bin (unless set: the programs' folder, build/bin by default), work, computer, user,
# password, TARROW_SMB_CONF, TARROW_DRIVE_C, HOME.
bin=${bin:-$(pwd)/build/bin}
ip link set lo up
hostname tarrow-demo
computer=TARROW-DEMO

work=$(mktemp -d /tmp/tarrow-demo.XXXXXX)
chmod 0711 "$work"
# Accounts made here land in an overlay of /etc that vanishes with the mount namespace.
mkdir -p "$work/etc-upper" "$work/etc-work"
mount -t overlay overlay -o "lowerdir=/etc,upperdir=$work/etc-upper,workdir=$work/etc-work" /etc
[ -d /var/log/samba ] && mount -t tmpfs -o mode=0755 tmpfs /var/log/samba

pids=""
. tools/demo/pieces.sh
stop() {
  stop_started "$work/pid"
  [ -f "$work/C/Tarrow.log" ] && cp "$work/C/Tarrow.log" build/try-last.log
  rm -rf "$work"
}
trap stop EXIT
trap 'exit 130' INT TERM

echo "== Samba on 127.0.0.1, with Debian's stock configuration and folders of its own"
for d in private lock state cache pid ncalrpc usershares; do mkdir -p "$work/$d"; done
chgrp sambashare "$work/usershares" 2>/dev/null || true
chmod 1775 "$work/usershares"
# Debian's smb.conf as a desktop has it (guests for unknown names, [homes], usershares), with
# this stage's address, folders and no printers added to the end of [global].
awk -v work="$work" '
  function stage() {
    print "  interfaces = 127.0.0.1\n  bind interfaces only = yes\n  smb ports = 445\n  disable netbios = yes"
    print "  load printers = no\n  printcap name = /dev/null\n  disable spoolss = yes"
    print "  private dir = " work "/private\n  lock directory = " work "/lock\n  state directory = " work "/state"
    print "  cache directory = " work "/cache\n  pid directory = " work "/pid\n  ncalrpc dir = " work "/ncalrpc"
    print "  passdb backend = tdbsam:" work "/private/passdb.tdb\n  log file = " work "/log.%m"
    print "  usershare path = " work "/usershares"
    done = 1
  }
  /^\[global\]/ { global = 1; print; next }
  global && !done && /^\[/ { stage() }
  { print }
  END { if (!done) stage() }' /usr/share/samba/smb.conf > "$work/smb.conf"
export TARROW_SMB_CONF="$work/smb.conf"
export TARROW_DRIVE_C="$work/C"
export HOME="$work/home"
mkdir -p "$TARROW_DRIVE_C" "$HOME"

user=tarrowdemo
password=Demo-$(od -An -N6 -tx1 /dev/urandom | tr -d ' \n')
useradd -M -N -s /usr/sbin/nologin "$user"
printf '%s\n%s\n' "$password" "$password" | smbpasswd -c "$TARROW_SMB_CONF" -a -s "$user" >/dev/null
echo "demonstration account: $user (Samba password made for this run)"
start_smbd "$TARROW_SMB_CONF" "$work/smbd.out"

echo "== a simulated printer on 127.0.0.2 (HTTPS 443, SNMP 161); it finds $computer at 127.0.0.1"
start_simulated_printer "$bin" "$computer" "$work/device.out"


# Pieces that the demonstration (tools/demo/environment.sh) and the package test
# (tools/test-package) share, sourced inside their private namespaces: waiting for a condition,
# starting smbd and the simulated printer in the background, and stopping what was started, by
# PID. Each start adds its PID to $pids.
pids=${pids:-}

wait_for() { # wait_for SECONDS COMMAND...: polls COMMAND every 0.1 s, fails after SECONDS
  limit=$(( $1 * 10 )); shift
  i=0
  until "$@" >/dev/null 2>&1; do
    i=$((i + 1)); [ "$i" -lt "$limit" ] || { echo "time-out waiting for: $*" >&2; return 1; }
    sleep 0.1
  done
}

smbd_listening() { ss -ltnH 'sport = :445' | grep -q .; }

start_smbd() { # start_smbd CONF OUTPUT: smbd in the foreground of a background job, until port 445 answers
  smbd --foreground --debug-stdout -d 0 -s "$1" > "$2" 2>&1 &
  pids="$pids $!"
  wait_for 10 smbd_listening
}

start_simulated_printer() { # start_simulated_printer BIN COMPUTER OUTPUT [ADDRESS]: on ADDRESS (default
  # 127.0.0.2; HTTPS 443, SNMP 161). Its scans and folder-path checks find COMPUTER, this computer's
  # name, at 127.0.0.1.
  "$1/tarrow-simdevice" --address "${4:-127.0.0.2}:443" --snmp --name "$2=127.0.0.1" > "$3" 2>&1 &
  pids="$pids $!"
  wait_for 10 grep -q '^listening' "$3"
}

stop_started() { # stop_started [SAMBA_PID_DIR]: ends what was started, and smbd's samba-dcerpcd
  for pid in $pids; do kill "$pid" 2>/dev/null || true; done
  for pid in $pids; do wait "$pid" 2>/dev/null || true; done
  pids=""
  if [ -n "${1:-}" ] && [ -f "$1/samba-dcerpcd.pid" ]; then
    kill "$(cat "$1/samba-dcerpcd.pid")" 2>/dev/null || true
  fi
}

#!/usr/bin/env bash
# start DIR | stop DIR: a throwaway CUPS server for the printing tests, listening only on the
# Unix socket DIR/cups.sock (no TCP port). It has two queues whose jobs land unchanged in files
# under DIR/out: Roll76 (a 76 mm roll, custom lengths, 4 mm edges) and OfficeA4 (A4 only, 12 pt
# edges), and no default printer. Each job's document goes to DIR/out/<queue>.pdf and its options
# to DIR/out/<queue>.pdf.options. Point a program at it with CUPS_SERVER=DIR/cups.sock.
set -euo pipefail
cmd=$1
dir=$2
ppds="$(cd "$(dirname "$0")/.." && pwd)/tests/reports/cups"
case "$cmd" in
start)
  if ! command -v cupsd >/dev/null || ! command -v lpadmin >/dev/null; then
    echo "cupsd or lpadmin missing (cups-daemon, cups-client)" >&2
    exit 1
  fi
  mkdir -p "$dir"/{etc/ppd,spool/tmp,cache,state,log,out}
  chmod 755 "$dir" "$dir"/{etc,spool,cache,state,log}
  chmod 1777 "$dir/spool/tmp" "$dir/out"
  # The filter passes the document through and keeps the job's options beside it.
  mkdir -p "$dir/filter"
  cat >"$dir/filter/passthrough" <<'FILTER'
#!/bin/sh
printf '%s\n' "$5" >"${DEVICE_URI#file://}.options"
if [ -n "$6" ]; then exec cat "$6"; else exec cat; fi
FILTER
  chmod 755 "$dir/filter" "$dir/filter/passthrough"
  for q in roll76 officea4; do
    sed "s|@FILTER@|$dir/filter/passthrough|" "$ppds/$q.ppd" >"$dir/$q.ppd"
  done
  user=$(id -un)
  group=$(id -gn)
  if [ "$(id -u)" -eq 0 ]; then
    user=lp
    group=lp
  fi
  cat >"$dir/etc/cups-files.conf" <<CONF
ServerRoot $dir/etc
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
ServerBin /usr/lib/cups
DataDir /usr/share/cups
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
FileDevice Yes
User $user
Group $group
SystemGroup $(id -gn)
CONF
  cat >"$dir/etc/cupsd.conf" <<CONF
Listen $dir/cups.sock
Browsing No
WebInterface No
LogLevel debug
DefaultAuthType None
PreserveJobFiles Yes
PreserveJobHistory Yes
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  JobPrivateAccess default
  JobPrivateValues default
  SubscriptionPrivateAccess default
  SubscriptionPrivateValues default
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
  cupsd -f -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf" >"$dir/log/cupsd.out" 2>&1 &
  echo $! >"$dir/cupsd.pid"
  for _ in $(seq 50); do
    [ -S "$dir/cups.sock" ] && break
    sleep 0.1
  done
  export CUPS_SERVER="$dir/cups.sock"
  # lpadmin warns that printer drivers are deprecated; these two are only descriptions.
  lpadmin -p Roll76 -E -v "file://$dir/out/Roll76.pdf" -P "$dir/roll76.ppd" 2>/dev/null
  lpadmin -p OfficeA4 -E -v "file://$dir/out/OfficeA4.pdf" -P "$dir/officea4.ppd" 2>/dev/null
  ;;
stop)
  if [ -f "$dir/cupsd.pid" ]; then
    kill "$(cat "$dir/cupsd.pid")" 2>/dev/null || true
    for _ in $(seq 50); do
      kill -0 "$(cat "$dir/cupsd.pid")" 2>/dev/null || break
      sleep 0.1
    done
  fi
  rm -rf "$dir"
  ;;
esac

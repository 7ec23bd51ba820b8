#!/usr/bin/env bash
# A private CUPS server for the printing tests, independent of any printer or
# server on the machine: it listens on a socket inside <dir> and has one
# default queue "SleevoryTest" that writes each job as PDF into <dir>/out/print.pdf.
#   private-cups.sh start <dir>   starts it (prints "unavailable" and exits 0
#                                 when this machine has no cupsd)
#   private-cups.sh stop <dir>    stops it
set -u
command=${1:?start or stop}
dir=${2:?folder}
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
export CUPS_SERVER="$dir/cups.sock"

stop() {
  if [ -f "$dir/cupsd.pid" ]; then
    kill "$(cat "$dir/cupsd.pid")" 2>/dev/null
    for _ in $(seq 50); do kill -0 "$(cat "$dir/cupsd.pid")" 2>/dev/null || break; sleep 0.1; done
    rm -f "$dir/cupsd.pid"
  fi
}

case "$command" in
stop) stop; exit 0 ;;
start) ;;
*) echo "usage: $0 start|stop <dir>" >&2; exit 2 ;;
esac

ppd_source=/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd
if [ ! -x /usr/sbin/cupsd ] || ! command -v lpadmin >/dev/null || [ ! -f "$ppd_source" ]; then
  echo "unavailable" > "$dir/status"
  echo "unavailable: cupsd, lpadmin or the generic PDF printer description is missing"
  exit 0
fi

stop
rm -rf "$dir/spool" "$dir/cache" "$dir/state" "$dir/log" "$dir/out/print.pdf" "$dir/status"
mkdir -p "$dir/spool/tmp" "$dir/cache" "$dir/state" "$dir/log" "$dir/ppd"
# cupsd refuses to run its jobs as root: as root the jobs run as its default
# user, so the output folder is open to every user.
if [ "$(id -u)" -eq 0 ]; then
  run_as=""
else
  run_as="User $(id -un)
Group $(id -gn)"
fi
mkdir -p "$dir/out"
chmod 1777 "$dir/out"
cat > "$dir/cupsd.conf" <<CONF
Listen $dir/cups.sock
LogLevel warn
WebInterface No
Browsing No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
    Allow all
  </Limit>
</Policy>
CONF
cat > "$dir/cups-files.conf" <<CONF
FileDevice Yes
$run_as
ServerRoot $dir
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
CONF
# Without the job-control lines the PDF starts at its first byte, not after PJL.
grep -v '^\*JCL\(Begin\|ToPDFInterpreter\|End\):' "$ppd_source" > "$dir/ppd/SleevoryTest.ppd"

/usr/sbin/cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" > "$dir/log/cupsd.out" 2>&1 &
echo $! > "$dir/cupsd.pid"
for _ in $(seq 100); do [ -S "$dir/cups.sock" ] && lpstat -r >/dev/null 2>&1 && break; sleep 0.1; done
if ! lpadmin -p SleevoryTest -E -v "file://$dir/out/print.pdf" -P "$dir/ppd/SleevoryTest.ppd" -o PageSize=Letter \
     > "$dir/log/lpadmin.out" 2>&1 || ! lpadmin -d SleevoryTest >> "$dir/log/lpadmin.out" 2>&1; then
  echo "unavailable" > "$dir/status"
  echo "unavailable: the queue could not be added"; cat "$dir/log/lpadmin.out"
  stop
  exit 0
fi
echo "ready" > "$dir/status"
echo "ready: CUPS_SERVER=$dir/cups.sock"

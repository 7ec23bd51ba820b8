#!/usr/bin/env bash
# The program at rest: how much CPU the running Sleevory.exe and its Wine
# server use while the user does nothing, with a text object selected (its
# frame's marching ants run) against the same program with only the page
# selected. Goal: under 1 % of a core for the program and the server together.
#   bench/idle-cpu.sh [seconds]      each measurement's length (default 15, at least 10)
# Env: SLEEVORY_BUILD_DIR (default build/; Sleevory.exe and bench_document.exe
#      built), IDLE_PICTURE (the label's photo side in pixels, default 3000).
#
# It starts Xvfb on a free display of its own and the program in a Wine prefix
# of its own with the label bench_document writes (a title over the whole
# outside of the front cover, a photo on the back cover and the disc), answers
# nothing: the settings say the label paper was chosen and the help was seen.
# The selections are made by real clicks (xdotool): first on the front
# cover's empty inside half and then on the page beside it (only the page is
# selected then), later on the title. Every click is checked on the screen:
# the ants move between two screenshots only while a text is selected.
# CPU time is utime + stime from /proc/PID/stat of the program's process and
# of the prefix's wineserver, read at the start and the end of each period,
# over the period's wall time. Other helpers' or programs' load does not
# count, only these processes' own time.
# Prints a table, then RESULT lines for scripts/bench.sh.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
build="${SLEEVORY_BUILD_DIR:-$repo/build}"
seconds="${1:-15}"
[ "$seconds" -ge 10 ] || seconds=10
picture="${IDLE_PICTURE:-3000}"
for tool in Xvfb xdotool import compare; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/install-packages.sh installs it)" >&2; exit 1; }
done
for exe in Sleevory.exe bench/bench_document.exe; do
  [ -f "$build/$exe" ] || { echo "$build/$exe is not built" >&2; exit 1; }
done

work="$build/idle-cpu"
rm -rf "$work"
mkdir -p "$work"
prefix="$build/wineprefix-idle"
ticks=$(getconf CLK_TCK)

for n in $(seq 71 99); do [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break; done
display=":$n"
Xvfb "$display" -screen 0 1600x1200x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
program_pid=""
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
  SLEEVORY_TEST_DISPLAY="$display" "$repo/cmake/wine-env.sh" "$prefix" cleanup || true
  kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done

export SLEEVORY_TEST_DISPLAY="$display"
wine_env="$repo/cmake/wine-env.sh"
"$wine_env" "$prefix" setup >/dev/null 2>&1
run() { "$wine_env" "$prefix" run "$@"; }
# The label paper counts as chosen and the help as seen: the start opens the
# document straight away.
for value in LabelUpdate HelpScreen; do
  run reg add 'HKLM\Software\Sleevory' /v "$value" /t REG_DWORD /d 0 /f >/dev/null 2>&1
done
document="$work/idle.slv"
(cd "$build/bench" && run ./bench_document.exe "Z:$(echo "$document" | tr / '\\')" --picture "$picture" | tr -d '\r')

export DISPLAY="$display"
(cd "$build" && exec "$wine_env" "$prefix" run ./Sleevory.exe "Z:$(echo "$document" | tr / '\\')" >/dev/null 2>&1) &

# The processes are told from other helpers' by their prefix.
in_prefix() { { tr '\0' '\n' <"/proc/$1/environ"; } 2>/dev/null | grep -qx "WINEPREFIX=$prefix"; }
find_process() {  # pattern of /proc/PID/cmdline -> the oldest such process of the prefix
  for pid in $(pgrep -f "$1" | sort -n); do
    if in_prefix "$pid"; then echo "$pid"; return 0; fi
  done
  return 1
}
main=""
for _ in $(seq 1 300); do
  main=$(xdotool search --onlyvisible --name 'Sleevory$' 2>/dev/null | head -n 1 || true)
  [ -n "$main" ] && break
  sleep 0.2
done
[ -n "$main" ] || { echo "the program's window did not appear" >&2; exit 1; }
program_pid=$(find_process 'Sleevory\.exe') || { echo "no Sleevory.exe process" >&2; exit 1; }
server_pid=$(find_process 'wineserver') || { echo "no wineserver of the prefix" >&2; exit 1; }
echo "program: pid $program_pid ($(tr '\0' ' ' <"/proc/$program_pid/cmdline")); wineserver: pid $server_pid"
sleep 4  # the start-up's timers and the panes settle

eval "$(xdotool getwindowgeometry --shell "$main")"  # X Y WIDTH HEIGHT
shot() { import -display "$display" -window root "$1"; }
# Whether anything on the screen moves by itself: two screenshots apart.
moving() {
  shot "$work/a.png"
  sleep 0.3
  shot "$work/b.png"
  local differ
  differ=$(compare -metric AE "$work/a.png" "$work/b.png" null: 2>&1 || true)
  [ "${differ%% *}" != 0 ]
}
click() { xdotool mousemove --sync "$1" "$2" click 1; sleep 1; }

# Clicks along the middle of the window, right of its centre, until the ants
# run: the title fills the outside of the front cover, which the view shows
# in its middle.
select_title() {
  local y=$((Y + HEIGHT / 2))
  for step in 2 4 6 8 10 12 14 16 18 20 -2 -4; do
    local x=$((X + WIDTH / 2 + step * WIDTH / 100))
    click "$x" "$y"
    if moving; then echo "$x,$y"; return 0; fi
  done
  return 1
}
# Clicks left of the centre (the empty inside half selects the cover), then
# on the page below the cover: its frame flashes a moment, then nothing moves.
select_page() {
  click $((X + WIDTH / 2 - WIDTH / 20)) $((Y + HEIGHT / 2))
  click $((X + WIDTH / 2)) $((Y + HEIGHT * 3 / 4))
  for _ in 1 2 3 4 5; do
    moving || return 0
    sleep 1
  done
  return 1
}

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
# Wine's other processes of the prefix (services, the desktop window's
# explorer...): not the program's, shown apart.
others() {
  for pid in $(pgrep -f '\.exe' | sort -n); do
    [ "$pid" != "$program_pid" ] && in_prefix "$pid" && echo "$pid"
  done
}
other_ticks() {
  local sum=0 pid
  for pid in $other_pids; do sum=$((sum + $(cpu_ticks "$pid" 2>/dev/null || echo 0))); done
  echo "$sum"
}
# Percent of one core used over `seconds`: "program server others".
measure() {
  local p0 s0 o0 p1 s1 o1 t0 t1
  other_pids=$(others)
  p0=$(cpu_ticks "$program_pid"); s0=$(cpu_ticks "$server_pid"); o0=$(other_ticks); t0=$(date +%s%N)
  sleep "$seconds"
  p1=$(cpu_ticks "$program_pid"); s1=$(cpu_ticks "$server_pid"); o1=$(other_ticks); t1=$(date +%s%N)
  awk -v p="$((p1 - p0))" -v s="$((s1 - s0))" -v o="$((o1 - o0))" -v t="$(((t1 - t0) / 1000))" -v hz="$ticks" \
    'BEGIN { f = 100 / hz / (t / 1e6); printf "%.2f %.2f %.2f", p * f, s * f, o * f }'
}

select_page || { echo "the page selection still moves on the screen" >&2; exit 1; }
shot "$work/page-selected.png"
figures=$(measure)
read -r page_program page_server page_others <<<"$figures"
at=$(select_title) || { echo "no click selected the title (no ants on the screen)" >&2; exit 1; }
shot "$work/text-selected.png"
figures=$(measure)
read -r text_program text_server text_others <<<"$figures"

total() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a + b }'; }
page_total=$(total "$page_program" "$page_server")
text_total=$(total "$text_program" "$text_server")
echo "== The program at rest (Sleevory.exe and its wineserver, ${seconds} s each, % of one core) =="
printf '  %-34s %9s %9s %9s   %s\n' "" program server total "(Wine's other processes, not counted)"
printf '  %-34s %9s %9s %9s   %s\n' "a text selected (ants running)" "$text_program" "$text_server" "$text_total" "$text_others"
printf '  %-34s %9s %9s %9s   %s\n' "only the page selected" "$page_program" "$page_server" "$page_total" "$page_others"
awk -v t="$text_total" -v p="$page_total" 'BEGIN {
  printf "  text selected / page selected: %s; goal under 1 %% of a core with a text selected: %s\n",
    (p > 0) ? sprintf("x%.1f", t / p) : "page at 0", (t < 1.0) ? "goal met" : "goal missed" }'
echo "  (clicked the title at $at; screenshots in $work)"
echo "RESULT idle text_percent $text_total"
echo "RESULT idle page_percent $page_total"

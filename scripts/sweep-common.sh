# Sourced by scripts/bench and scripts/harden: their own builds, Wine prefix, display and
# local lookup service, the driver, and the program's figures seen from Linux.
# The caller sets root; everything here lives under build/h-bench-native and
# build/h-bench-win, and the service listens on its own port.

jobs="${MOXAVEL_JOBS:-2}"
downloads="$root/build/_downloads"
native="$root/build/h-bench-native"
win="$root/build/h-bench-win"
port="${MOXAVEL_SWEEP_PORT:-18790}"
listen="127.0.0.1:$port"
base="http://$listen"
tokens="swD,swK,swP"
lookupd="$native/lookupd/moxavel-lookupd"
oracle="$native/benchmarks/expected_rows"
make_players="$root/benchmarks/data/make_players.py"
exe_win='Z:'"$(echo "$win/app/moxavel.exe" | tr / '\\')"
driver_exe="$win/tests/e2e/moxavel_driver.exe"
stand_in="$win/tests/e2e/stand_in_client.exe"

build_all() {
  echo "== building the local lookup service and the oracle"
  cmake -S "$root" -B "$native" -DMOXAVEL_TESTS=OFF -DMOXAVEL_LOOKUPD_TESTS=OFF \
    -DMOXAVEL_BENCHMARKS=ON -DMOXAVEL_DOWNLOAD_DIR="$downloads" >/dev/null
  cmake --build "$native" -j"$jobs" --target moxavel-lookupd expected_rows >/dev/null
  echo "== building moxavel.exe, the driver and the stand-in client"
  cmake -S "$root" -B "$win" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
    -DMOXAVEL_DOWNLOAD_DIR="$downloads" -DMOXAVEL_LOOKUP_BASE="$base" >/dev/null
  cmake --build "$win" -j"$jobs" --target moxavel moxavel_driver stand_in_client >/dev/null
}

service_pid=
service_log=
service_count=0

# start_service DATA [ARG...]: the local service on $listen with fixed tokens, so a
# restarted service still accepts the program's session.
start_service() {
  local data="$1"
  shift
  stop_service
  service_count=$((service_count + 1))
  service_log="$work/lookupd-$service_count.log"
  local ready="$work/lookupd-$service_count.out"
  "$lookupd" --data "$data" --listen "$listen" --tokens "$tokens" "$@" >"$ready" 2>"$service_log" &
  service_pid=$!
  local i
  for i in $(seq 1 100); do
    grep -qs '^listening on' "$ready" && return 0
    kill -0 "$service_pid" 2>/dev/null || break
    sleep 0.1
  done
  echo "the lookup service did not start:" >&2
  cat "$service_log" >&2
  return 1
}

stop_service() {
  if [ -n "$service_pid" ]; then
    kill -TERM "$service_pid" 2>/dev/null || true
    wait "$service_pid" 2>/dev/null || true
    service_pid=
  fi
}

sweep_cleanup() {
  stop_service
  wineserver -k 2>/dev/null || true
  moxavel_stop_display
}

# prepare_wine: prefix, display, one wineserver for the whole run. Sets the cleanup trap.
prepare_wine() {
  export MOXAVEL_WINEPREFIX="$win/wineprefix"
  source "$root/scripts/wine-env.sh"
  trap sweep_cleanup EXIT
  moxavel_prepare_prefix
  moxavel_start_display
  wineserver -p
}

# drive ARG...: runs the driver in the current directory; its output goes to $work/driver.out
# (never to a pipe: a program it starts would hold the pipe open) and is echoed.
drive() {
  local out="$work/driver.out"
  local rc=0
  timeout 900 wine "$driver_exe" "$@" </dev/null >"$out" 2>"$work/driver.err" || rc=$?
  tr -d '\r' <"$out" | tee "$work/driver.last"
  return $rc
}

# player_file UTF8_LIST DIR: the program's playerid.txt (GBK, CR LF) in DIR.
player_file() {
  iconv -f UTF-8 -t GBK "$1" | sed 's/$/\r/' >"$2/playerid.txt"
}

# Field of the last driver output: last_figure 'pass: ' -> the number after it.
last_figure() {
  grep -o "$1[0-9.]*" "$work/driver.last" | tail -n 1 | sed "s/^$1//"
}

# The Linux process that runs the program (Wine names it by its Windows path).
program_unix_pid() {
  local pid
  for pid in $(pgrep -f 'h-bench-win\\app\\moxavel.exe' 2>/dev/null); do
    echo "$pid"
    return 0
  done
  return 1
}

# proc_figures: "VmRSS VmHWM Threads fds" of the program's Wine process, in KiB and counts.
proc_figures() {
  local pid
  pid="$(program_unix_pid)" || { echo "- - - -"; return 0; }
  local rss hwm threads fds
  rss=$(awk '/^VmRSS:/ {print $2}' "/proc/$pid/status")
  hwm=$(awk '/^VmHWM:/ {print $2}' "/proc/$pid/status")
  threads=$(awk '/^Threads:/ {print $2}' "/proc/$pid/status")
  fds=$(ls "/proc/$pid/fd" | wc -l)
  echo "$rss $hwm $threads $fds"
}

# cpu_ticks: "process ui" CPU ticks (1/CLK_TCK s) of the program's Wine process and of
# its first thread, the user-interface thread.
cpu_ticks() {
  local pid
  pid="$(program_unix_pid)" || { echo "0 0"; return 0; }
  echo "$(awk '{print $14 + $15}' "/proc/$pid/stat") $(awk '{print $14 + $15}' "/proc/$pid/task/$pid/stat")"
}

# The session tokens as the profile page gives them, and the poll prefix built from them.
poll_prefix() {
  local page d k p
  page="$(curl -s "$base/profile/china-ionia-1/~/")"
  d=$(echo "$page" | grep -o 'name="diamondprox" value="[^"]*"' | sed 's/.*value="//; s/"$//')
  k=$(echo "$page" | grep -o 'name="REQUIRED_QUICKFIND_API_KEY" value="[^"]*"' | sed 's/.*value="//; s/"$//')
  p=$(echo "$page" | grep -o 'name="PBK" value="[^"]*"' | sed 's/.*value="//; s/"$//')
  echo "$base/lookup/xmpp/poll?diamondprox=$d&REQUIRED_QUICKFIND_API_KEY=$k&PBK=$p&regionProxy=china-ionia-1&summoner="
}

# poll_urls UTF8_LIST: one poll address a line, the names percent-escaped UTF-8.
poll_urls() {
  local prefix
  prefix="$(poll_prefix)"
  python3 -c 'import sys, urllib.parse
prefix = sys.argv[1]
for line in open(sys.argv[2], encoding="utf-8"):
    print(prefix + urllib.parse.quote(line.rstrip("\n"), safe=""))' "$prefix" "$1"
}

# fetch_answers UTF8_LIST DIR: what the service answers each row, as curl receives it,
# into DIR/<row>.body (the oracle's input). Answers that are cut short are kept as they came.
fetch_answers() {
  mkdir -p "$2"
  rm -f "$2"/*.body
  local row=0 url
  while read -r url; do
    curl -s --max-time 10 -o "$2/$row.body" "$url" || true
    row=$((row + 1))
  done < <(poll_urls "$1")
}

# curl_pass UTF8_LIST: milliseconds for curl to make the same polls one after the other.
curl_pass() {
  local config="$work/curl.config"
  poll_urls "$1" | sed 's/.*/url = "&"\noutput = "\/dev\/null"/' >"$config"
  local start end
  start=$(date +%s%N)
  curl -s -K "$config" || true
  end=$(date +%s%N)
  echo $(((end - start) / 1000000))
}

# service_ms FROM_LINE: the service's own time for the polls it logged after that line.
service_ms() {
  tail -n +"$(($1 + 1))" "$service_log" | grep 'GET /lookup/xmpp/poll' |
    awk '{ s += $(NF-1) } END { print s + 0 }'
}

log_lines() { wc -l <"$service_log"; }

# median of the numbers given
median() {
  printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# ratio A B, two decimals
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b == 0) print "-"; else printf "%.2f", a / b }'; }

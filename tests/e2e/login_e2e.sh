#!/usr/bin/env bash
# The real program in a fresh program folder under a virtual display: the password typed with real key
# events, the main window shown, then closed through its own menu ("系统管理" / "退出系统"); afterwards the
# settings file and the bar layout file hold what the run wrote.
# It starts its own Xvfb on a display number the server picks itself, so a display left in use elsewhere
# cannot make it fail.
# Usage: login_e2e.sh MONEY MONEY_LEDGER
set -euo pipefail

money=$1
ledger_tool=$2
folder=$(mktemp -d)
pid=
xvfb=
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid"; fi
  if [ -n "$xvfb" ] && kill -0 "$xvfb" 2>/dev/null; then kill "$xvfb"; fi
  rm -rf "$folder"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  for log in program.log xvfb.log; do
    if [ -f "$folder/$log" ]; then cat "$folder/$log" >&2; fi
  done
  exit 1
}

# Polls for a visible window whose title matches; prints its id.
wait_for_window() {
  local title=$1 id
  for _ in $(seq 300); do
    id=$(xdotool search --onlyvisible --name "$title" 2>/dev/null | head -n 1 || true)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# The value of a key in a section of an INI file, exactly as stored.
ini_value() {
  awk -v section="[$2]" -v key="$3" '
    { sub(/\r$/, "") }
    /^\[/ { inside = ($0 == section) }
    inside && index($0, key "=") == 1 { print substr($0, length(key) + 2) }
  ' "$1"
}

# Without any display the program says so in one line instead of aborting.
if env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$money" >"$folder/no-display.out" 2>&1; then
  fail "the program started without a display"
fi
grep -q "xvfb-run -a build/bin/money" "$folder/no-display.out" || fail "no hint about xvfb-run: $(cat "$folder/no-display.out")"
[ "$(wc -l <"$folder/no-display.out")" -eq 1 ] || fail "more than one line without a display"

# Xvfb writes the display number it took to descriptor 3 once it accepts connections. -noreset: by
# default the server resets whenever its last client leaves, and the polling xdotool is such a client;
# a program connecting during that reset is refused.
Xvfb -displayfd 3 -nolisten tcp -ac -noreset -screen 0 1280x1024x24 3>"$folder/display" 2>"$folder/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do
  [ -s "$folder/display" ] && break
  kill -0 "$xvfb" 2>/dev/null || fail "Xvfb did not start"
  sleep 0.1
done
[ -s "$folder/display" ] || fail "Xvfb did not report its display"
export DISPLAY=":$(tr -d '[:space:]' <"$folder/display")"
unset XAUTHORITY WAYLAND_DISPLAY

cp "$money" "$folder/money"
"$ledger_tool" new "$folder/money.mdb" >/dev/null
unset QT_QPA_PLATFORM
"$folder/money" >"$folder/program.log" 2>&1 &
pid=$!

login=$(wait_for_window '^登录$') || fail "no login dialog"
xdotool windowfocus --sync "$login"
xdotool type --delay 20 3947
xdotool key Return
main=$(wait_for_window '^禾川家庭财务软件$') || fail "no main window after the login"

# No window manager, so no close button to press: drive the menu with the keyboard instead. Alt selects
# the main menu, three steps right reach "系统管理", Down opens it, Up wraps to its last item "退出系统".
for attempt in 1 2 3; do
  xdotool windowfocus --sync "$main" 2>/dev/null || true
  xdotool key Escape Escape alt Right Right Right Down Up Return
  for _ in $(seq 30); do
    kill -0 "$pid" 2>/dev/null || break 2
    sleep 0.1
  done
  echo "the program is still running after attempt $attempt to close it" >&2
done
kill -0 "$pid" 2>/dev/null && fail "the program did not end through 退出系统"
status=0
wait "$pid" || status=$?
pid=
[ "$status" -eq 0 ] || fail "the program ended with status $status"

settings="$folder/money.INI"
[ -f "$settings" ] || fail "no settings file money.INI"
[ "$(ini_value "$settings" User Code)" = 9999 ] || fail "User/Code: $(cat "$settings")"
[ "$(ini_value "$settings" Menu Style)" = 1 ] || fail "Menu/Style: $(cat "$settings")"
[ "$(ini_value "$settings" Menu BigButton)" = 1 ] || fail "Menu/BigButton: $(cat "$settings")"

layout="$folder/Tool.ini"
[ -f "$layout" ] || fail "no bar layout file Tool.ini"
[ -n "$(ini_value "$layout" Layout State)" ] || fail "Tool.ini holds no bar state"
[ "$(ini_value "$layout" 主菜单 Items)" = "m01,m02,N2,N1,|,N3" ] || fail "main menu items: $(cat "$layout")"
[ "$(ini_value "$layout" 工具栏 Items)" = "m0101,|,m0102,|,m0103,|,m0301,|,m0201,|,N108,|,N107,|,N101,|,N102,|,N109" ] ||
  fail "tool bar items: $(cat "$layout")"
[ "$(ini_value "$layout" DBNavigator Items)" = "First,Prior,Next,Last,Refresh" ] || fail "navigator items: $(cat "$layout")"
echo "PASS: logged in, main window shown, closed; money.INI and Tool.ini written"

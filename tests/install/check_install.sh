#!/usr/bin/env bash
# An install as any distribution makes it, and the installed program at work:
#   - `cmake --install BUILD --prefix P` and `DESTDIR=D cmake --install BUILD`
#     give the same tree, every file where README.md ("Installing") says;
#   - the program started through its link on an X server of its own (Xvfb)
#     and traced by strace reads its banner list, a banner picture and, once
#     F1 is pressed, its help, all from P; it records P's program folder as
#     its own and quits cleanly on Ctrl+Q. Its window is found by the
#     desktop entry's StartupWMClass (xdotool matches it without regard to
#     case), as desktops match windows to entries.
#
#   check_install.sh SOURCE_DIR BUILD_DIR CONFIGURED_PREFIX
# Exit 0 passed, 1 failed, 77 skipped (only outside CI, with the reason).
set -uo pipefail
src=${1:?source folder}
build=${2:?build folder}
configured=${3:?install prefix}
id=example.kapuna.kapuna

work=$(mktemp -d "${TMPDIR:-/tmp}/kapuna-install.XXXXXX") || exit 1
xvfb_pid= strace_pid=
cleanup() {
  # The program first (strace would leave it running), then its tracer.
  [ -s "$work/program.pid" ] && kill -KILL "$(cat "$work/program.pid")" 2>/dev/null
  [ -n "$strace_pid" ] && wait "$strace_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill -TERM "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf -- "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
fail() { echo "FAIL: $*" >&2; exit 1; }
unable() {
  [ "${CI:-}" = true ] && fail "$* (CI must run this test)"
  echo "SKIP: $*"; exit 77
}
for tool in strace Xvfb xdotool; do
  command -v "$tool" >/dev/null || unable "$tool is not installed (scripts/install-deps.sh test)"
done
strace -o /dev/null true 2>/dev/null || unable "strace cannot trace here"

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 || fail "cmake --install --prefix: $(cat "$work/install.log")"
DESTDIR=$work/dest cmake --install "$build" >"$work/install.log" 2>&1 || fail "DESTDIR cmake --install: $(cat "$work/install.log")"
diff -r --no-dereference "$prefix" "$work/dest$configured" >"$work/diff" || fail "the two installs differ: $(cat "$work/diff")"

expected=$( {
  echo "bin/kapuna -> ../lib/kapuna/kapuna"
  echo lib/kapuna/kapuna
  (cd "$src/assets/beside" && find . -type f -printf 'lib/kapuna/%P\n')
  echo "share/applications/$id.desktop"
  echo "share/metainfo/$id.metainfo.xml"
  for size in 16 32 48 64 128 256; do echo "share/icons/hicolor/${size}x$size/apps/kapuna.png"; done
  echo share/man/man6/kapuna.6.gz
  printf 'share/doc/kapuna/%s\n' copyright LICENSES.md changelog.gz
} | sort)
installed=$(cd "$prefix" && find . -type l -printf '%P -> %l\n' -o ! -type d -printf '%P\n' | sort)
[ "$installed" = "$expected" ] || fail "installed files differ from the README's: $(diff <(echo "$expected") <(echo "$installed"))"

# --- The installed program ------------------------------------------------
# A private X server on a free display, and a home, settings and runtime
# folder of the test's own (the machine-wide settings go under XDG_CONFIG_DIRS).
Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x800x24 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do grep -q . "$work/display" && break; sleep 0.1; done
display=$(tr -d '\n' <"$work/display")
[ -n "$display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
mkdir -m 700 "$work/home" "$work/etc" "$work/run"
export DISPLAY=:$display QT_QPA_PLATFORM=xcb HOME=$work/home XDG_CONFIG_HOME=$work/home/.config \
  XDG_CONFIG_DIRS=$work/etc XDG_RUNTIME_DIR=$work/run
# The help window is found by its Korean title, which the program hands to
# X, and xdotool reads, in the locale's encoding.
export LC_ALL=C.UTF-8
# In the sanitizer build: LeakSanitizer cannot work under a tracer, and
# libxkbcommon-x11 strndup()s a name out of an X reply that holds no NUL
# after it, which strict_string_checks takes for an overflow.
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0:strict_string_checks=0
# Started from a folder that holds none of its files.
cd "$work" || exit 1
strace -f -y -s 0 -e trace=openat,read -o "$work/trace" \
  sh -c 'echo $$ >"$1"; exec "$2"' - "$work/program.pid" "$prefix/bin/kapuna" >"$work/program.log" 2>&1 &
strace_pid=$!

class=$(sed -n 's/^StartupWMClass=//p' "$prefix/share/applications/$id.desktop")
for _ in $(seq 300); do
  window=$(xdotool search --onlyvisible --classname "^$class\$" 2>/dev/null | head -1) && [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || fail "no window of class $class within 30 s: $(cat "$work/program.log")"
# Presses KEY on the game's window until the command after it succeeds: a
# key may come before the window has taken the focus on a busy machine.
press_until() {
  local key=$1; shift
  for _ in $(seq 30); do
    timeout 5 xdotool windowfocus --sync "$window" key "$key" 2>/dev/null
    for _ in $(seq 10); do "$@" && return 0; sleep 0.1; done
  done
  return 1
}
help_shown() { xdotool search --name '^Kapuna 도움말$' >/dev/null 2>&1; }
ended() { ! kill -0 "$strace_pid" 2>/dev/null; }
press_until F1 help_shown || fail "F1 opened no help window"
press_until ctrl+q ended || fail "the program did not quit on Ctrl+Q"
wait "$strace_pid" || fail "the program quit with exit $?: $(cat "$work/program.log")"
strace_pid=
rm -f "$work/program.pid"

# Opened and read, with bytes, from the installed folder (strace pads the
# pid in front of each call to a width of its own).
read_from() { grep -F "<$prefix/lib/kapuna/$1>, " "$work/trace" | grep -qE '^[0-9]+ +read\(.* = [1-9][0-9]*$'; }
read_from data/list || fail "the banner list was not read from $prefix/lib/kapuna"
pictures=$(cut -d'*' -f3 "$prefix/lib/kapuna/data/list" | tr -d '\r')
for picture in $pictures; do read_from "$picture" && break; done || fail "no banner picture ($pictures) was read"
read_from kapuna.hlp || fail "the help was not read from $prefix/lib/kapuna"
grep -qxF "Westhaven\\Kapuna\\path=$prefix/lib/kapuna" "$work/etc/Westhaven/Kapuna.ini" \
  || fail "the program did not record $prefix/lib/kapuna as its folder"
echo "installed twice alike ($(wc -l <<<"$installed") files); the program read its list, $picture and its help from $prefix/lib/kapuna"

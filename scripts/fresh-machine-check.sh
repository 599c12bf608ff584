#!/usr/bin/env bash
# Proves the README on new machines. Too slow for every CI run (a build from
# nothing, without a compiler cache): run it before a release.
#
#   1. debootstrap a minimal Debian 12 (variant minbase) from the Debian
#      mirror this machine's apt uses; two copies of it are the two machines;
#   2. on the first: the README's first steps exactly as written (the first
#      ```sh block, with the clone address pointed at this repository's
#      commit), then `make build` (what `make run` does before it opens the
#      window) and a check that none of the test packages came with it, then
#      `make test`, `make package` and any further FRESH_TARGETS;
#   3. on the second: the .deb installed with apt as a player would, and the
#      game started offscreen as a normal user: it must keep running, with
#      its platform plugin and the Korean font loaded.
#
# Every step is timed; the timings go to the end of the output and to
# $FRESH_WORK/timings.txt. Needs root (debootstrap, chroot, mounts) and the
# network.
#
#   FRESH_WORK     work folder, emptied first (default /var/tmp/kapuna-fresh)
#   FRESH_REV      the commit to check (default HEAD)
#   FRESH_TARGETS  make targets after the README's steps
#                  (default "test package"; e.g. "test package bench fuzz")
#   FRESH_MIRROR   Debian mirror (default: the one in /etc/apt/sources*)
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
work=${FRESH_WORK:-/var/tmp/kapuna-fresh}
rev=${FRESH_REV:-HEAD}
targets=${FRESH_TARGETS:-test package}
suite=bookworm

[ "$(id -u)" -eq 0 ] || { echo "fresh-machine-check: needs root (debootstrap, chroot)" >&2; exit 1; }

# Every mount below lives in a mount namespace of this script's own, so all
# of them go away with it, however it ends.
if [ -z "${FRESH_IN_NAMESPACE:-}" ]; then
  FRESH_IN_NAMESPACE=1 exec unshare --mount --propagation private -- bash "$0" "$@"
fi

bash "$repo/scripts/install-deps.sh" fresh-machine

# The mirror apt already uses here, and its security counterpart.
apt_uris() {
  local f
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    sed -n -e 's/^deb \(\[[^]]*\] \)\?\([^ ]*\) .*/\2/p' -e 's/^URIs: *//p' "$f" | tr ' ' '\n'
  done
}
mirror=${FRESH_MIRROR:-$(apt_uris | grep -m 1 -E '/debian/?$' || true)}
mirror=${mirror:-http://deb.debian.org/debian}
security=$(apt_uris | grep -m 1 -E '/debian-security/?$' || true)
security=${security:-http://deb.debian.org/debian-security}

commit=$(git -C "$repo" rev-parse --verify "$rev^{commit}")
timings=()
log() { printf '\n==== %s ====\n' "$*"; }
# step NAME COMMAND...: runs and times one step; a failing step ends the run.
step() {
  local name=$1 start rc=0
  shift
  log "$name"
  start=$(date +%s)
  "$@" || rc=$?
  timings+=("$(printf '%-52s %5d s%s' "$name" $(( $(date +%s) - start )) "$([ $rc -eq 0 ] || echo "  FAILED (exit $rc)")")")
  if [ $rc -ne 0 ]; then
    report
    echo "fresh-machine-check: FAILED at: $name" >&2
    exit 1
  fi
}
report() {
  log "timings (commit ${commit:0:12}, mirror $mirror)"
  printf '%s\n' "${timings[@]}" | tee "$work/timings.txt"
}

# Processes left inside a machine (a daemon a package started, say) are
# ended by their id before the machine goes.
end_processes_in() {
  local root=$1 p
  for p in /proc/[0-9]*; do
    [ "$(readlink "$p/root" 2>/dev/null)" = "$root" ] && kill -TERM "${p#/proc/}" 2>/dev/null
  done
  return 0
}

machine_up() {
  local root=$1
  mount -t proc proc "$root/proc"
  mount -t sysfs sysfs "$root/sys"
  mount --bind /dev "$root/dev"
  mount -t devpts -o newinstance,ptmxmode=0666 devpts "$root/dev/pts"
  mount -t tmpfs -o mode=1777 tmpfs "$root/dev/shm"
  mount -t tmpfs tmpfs "$root/run"
  cp /etc/resolv.conf "$root/etc/resolv.conf"
  # As on a real machine: the release, its updates and security updates.
  cat >"$root/etc/apt/sources.list" <<EOF
deb $mirror $suite main
deb $mirror $suite-updates main
deb $security $suite-security main
EOF
  # A package's daemon is not started inside the build machine.
  printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
  chmod 755 "$root/usr/sbin/policy-rc.d"
}

# inside ROOT SCRIPT: runs a bash script inside the machine as root, with the
# environment of a login on a new machine.
inside() {
  local root=$1
  shift
  chroot "$root" /usr/bin/env -i HOME=/root USER=root LOGNAME=root TERM=dumb LANG=C.UTF-8 \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    /bin/bash -euo pipefail -c "$1"
}

trap 'end_processes_in "$work/build-machine"; end_processes_in "$work/player-machine"' EXIT

log "fresh-machine check of $commit in $work"
if grep -q " $work/" /proc/self/mounts; then
  echo "fresh-machine-check: something is mounted under $work; not emptying it" >&2
  exit 1
fi
[ -d "$work" ] && { end_processes_in "$work/build-machine"; end_processes_in "$work/player-machine"; rm -rf "$work"; }
mkdir -p "$work"

step "debootstrap minbase $suite ($mirror)" \
  debootstrap --variant=minbase "$suite" "$work/fresh" "$mirror"
step "copy it into two machines" bash -c "cp -a '$work/fresh' '$work/build-machine' && mv '$work/fresh' '$work/player-machine'"

build=$work/build-machine
player=$work/player-machine
machine_up "$build"
machine_up "$player"

# The repository the README clones: a bare copy of the commit under check.
git init -q --bare "$build/srv/kapuna.git"
git -C "$repo" push -q "$build/srv/kapuna.git" "$commit:refs/heads/main"
git --git-dir="$build/srv/kapuna.git" symbolic-ref HEAD refs/heads/main

# The README's first steps: its first ```sh block, word for word but for the
# address after `git clone`.
git -C "$repo" show "$commit:README.md" >"$work/README.md"
first_steps=$(awk '/^```sh$/ {on=1; next} on && /^```$/ {exit} on' "$work/README.md")
grep -q 'git clone' <<<"$first_steps" || { echo "fresh-machine-check: the README's first block has no git clone" >&2; exit 1; }
first_steps=$(sed -E 's#git clone [^ ]+#git clone /srv/kapuna.git#' <<<"$first_steps")
printf '%s\n' "$first_steps" >"$work/first-steps.sh"
log "the README's first steps"
cat "$work/first-steps.sh"
# The clone lands where the README's `cd` goes; the steps below run there.
step "README first steps (apt-get make git, clone)" \
  inside "$build" "cd /root; set -x; $first_steps; pwd >/root/.kapuna-dir"
src=$(cat "$build/root/.kapuna-dir")

step "make build (what make run installs and builds)" inside "$build" "cd '$src' && make build"
# Building and playing must not bring the test servers along.
step "no test packages after make run's set-up" inside "$build" '
  for p in cups printer-driver-cups-pdf clang xvfb xdotool imagemagick poppler-utils; do
    if dpkg-query -W -f="\${Status}" "$p" 2>/dev/null | grep -q "install ok installed"; then
      echo "make run installed the test package $p" >&2; exit 1
    fi
  done
  echo "none of the test packages is installed"'
for t in $targets; do
  case $t in
    fuzz) step "make fuzz FUZZ_SECONDS=10" inside "$build" "cd '$src' && make fuzz FUZZ_SECONDS=10" ;;
    *) step "make $t" inside "$build" "cd '$src' && make $t" ;;
  esac
done

deb=$(cd "$build$src/build" 2>/dev/null && ls kapuna_*.deb 2>/dev/null | head -n 1 || true)
if [ -z "$deb" ]; then
  report
  echo "fresh-machine-check: no package was built (FRESH_TARGETS must include package)" >&2
  exit 1
fi
cp "$build$src/build/$deb" "$player/tmp/$deb"
end_processes_in "$build"

# The second machine: a player's install, as a normal user starting it.
step "player machine: apt-get install ./$deb" inside "$player" "
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq /tmp/$deb
  if dpkg-query -W -f='\${Status}' printer-driver-cups-pdf 2>/dev/null | grep -q 'install ok installed'; then
    echo 'the package brought printer-driver-cups-pdf' >&2; exit 1
  fi
  useradd --create-home player"
step "player machine: kapuna starts offscreen and keeps running" inside "$player" '
  setpriv --reuid=player --regid=player --init-groups \
    env HOME=/home/player USER=player QT_QPA_PLATFORM=offscreen /usr/games/kapuna \
    >/tmp/kapuna.log 2>&1 &
  pid=$!
  sleep 10
  if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid"; rc=$?
    echo "kapuna ended by itself (exit $rc):" >&2; cat /tmp/kapuna.log >&2; exit 1
  fi
  [ "$(stat -c %U "/proc/$pid")" = player ] || { echo "kapuna does not run as the player" >&2; exit 1; }
  maps=$(cat "/proc/$pid/maps")
  kill -TERM "$pid"; wait "$pid" || true
  grep -q libqoffscreen <<<"$maps" || { echo "no offscreen platform plugin loaded" >&2; exit 1; }
  grep -q -i nanum <<<"$maps" || { echo "no Nanum font loaded" >&2; exit 1; }
  echo "kapuna ran for 10 s as a normal user, with the offscreen plugin and NanumGothic loaded"
  echo "its output:"; cat /tmp/kapuna.log'

report
echo "fresh-machine-check: PASSED"

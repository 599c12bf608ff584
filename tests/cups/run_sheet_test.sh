#!/usr/bin/env bash
# Prints the twelve-player sample sheet through the real print path and
# checks what comes out.
#
#   run_sheet_test.sh pdf  PRINT_SAMPLE CHECK_SHEET_PDF FAULT_SHIM
#       the PDF stand-in for a missing default printer, written directly:
#       its layout, its text (searchable, with real blanks), the animals'
#       resolution, a full folder that must be left with no file, and a
#       replace the user agreed to that fails at its last step, which must
#       leave the old file whole
#   run_sheet_test.sh cups PRINT_SAMPLE CHECK_SHEET_PDF FAULT_SHIM
#       a private cupsd with a test queue as the default printer: the sheet
#       as printed; a default printer named but missing, a queue that
#       rejects jobs, a server that stops answering (also right after a
#       refusal, in the same program), one that stops after the document
#       arrived and one killed while the document arrives: each gives its
#       message and never the PDF stand-in
#
# FAULT_SHIM (fault_shim.cpp) is preloaded into cupsd to stop it at an exact
# moment, and into print_sample to make a rename fail. How long an answer
# may take is measured by bench_print, not here: the time limits below only
# stop a test that hangs.
#
# The private cupsd runs as root (its filters then run as lp) or, for a
# normal user, as that user: it writes only under its own folder.
# Exit 0 passed, 1 failed, 77 skipped (only outside CI, with the reason).
# KEEP_PDF=FILE keeps a copy of what the printer made, for a look.
set -uo pipefail

mode=${1:?mode}
print_sample=${2:?print_sample}
check_sheet_pdf=${3:?check_sheet_pdf}
fault_shim=${4:?fault_shim}
export QT_QPA_PLATFORM=offscreen

work=$(mktemp -d "${TMPDIR:-/tmp}/kapuna-print.XXXXXX") || exit 1
cupsd_pid=
cleanup() {
  if [ -n "$cupsd_pid" ] && kill -0 "$cupsd_pid" 2>/dev/null; then
    kill -CONT "$cupsd_pid"
    kill -TERM "$cupsd_pid"
    for _ in $(seq 1 50); do kill -0 "$cupsd_pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$cupsd_pid" 2>/dev/null && kill -KILL "$cupsd_pid"
  fi
  rm -rf -- "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

fail() { echo "FAIL: $*" >&2; exit 1; }

# Waits up to $1 tenths of a second for the command after it to succeed.
wait_for() {
  local tenths=$1; shift
  for _ in $(seq 1 "$tenths"); do "$@" && return 0; sleep 0.1; done
  return 1
}

ci=false
[ "${CI:-}" = true ] && ci=true
unable() {
  if $ci; then fail "$* (CI must run this test)"; fi
  echo "SKIP: $*"; exit 77
}

# Long enough for any answer on a slow machine; only a hang reaches it.
hang=60

# Checks that print_sample's messages (in $work/message) are exactly the
# lines $@, each "message: TEXT" (information icon) or "warning: TEXT".
told() {
  local expected
  expected=$(printf 'print_sample: %s\n' "$@")
  [ "$(grep '^print_sample: ' "$work/message")" = "$expected" ] \
    || fail "expected \"$expected\", got: $(cat "$work/message")"
}

# Runs print_sample, with the environment changes in the array `with`,
# which must show exactly the message $1 (information icon); the rest are
# its arguments. Says how long it took.
with=()
expect_message() {
  local message=$1; shift
  local start end rc
  start=$(date +%s%N)
  env "${with[@]}" timeout "$hang" "$print_sample" "$@" 2>"$work/message"; rc=$?
  end=$(date +%s%N)
  [ "$rc" -eq 3 ] || fail "print_sample $* gave exit $rc, not the message \"$message\": $(cat "$work/message")"
  told "message: $message"
  echo "message after $(( (end - start) / 1000000 )) ms: $message"
}

if [ "$mode" = pdf ]; then
  "$print_sample" --pdf "$work/sheet.pdf" || fail "print_sample could not write the PDF"
  "$check_sheet_pdf" "$work/sheet.pdf" || exit 1

  # Searchable: the texts extract with their blanks, in the order they
  # were printed (without -raw, poppler joins letter-spaced Hangul such as
  # "이 름" into one word, as it reads).
  text=$(pdftotext -raw -enc UTF-8 "$work/sheet.pdf" -) || fail "pdftotext failed"
  for phrase in "KAPUNA 게임 결과" "이 름 당첨내역 확 인" "118,801 원"; do
    grep -qF -- "$phrase" <<<"$text" || fail "\"$phrase\" is not in the PDF's text: $text"
  done
  ! grep -q $'\x01' <<<"$text" || fail "the PDF's text holds control characters for blanks"
  echo "text: searchable, blanks extract as blanks"

  # The animals: at least 300 dpi at their printed size, stored losslessly.
  "$print_sample" --tokens --pdf "$work/tokens.pdf" >/dev/null || fail "print_sample --tokens failed"
  pdfimages -list "$work/tokens.pdf" | awk '
    NR > 2 && $3 == "image" { n++; if ($13 < 300 || $14 < 300) low++; if ($9 != "image") lossy++ }
    END {
      printf "pictures: %d, lowest %s\n", n, (low ? "below 300 dpi" : "at least 300 dpi")
      exit !(n == 12 && !low && !lossy)
    }' || fail "the animals are not 12 lossless pictures of at least 300 dpi: $(pdfimages -list "$work/tokens.pdf")"

  # A folder on a full disk: the message names it and no file is left. A
  # small tmpfs in a mount namespace of our own (as a normal user, in a
  # user namespace).
  full="$work/full"
  mkdir "$full"
  if [ "$(id -u)" -eq 0 ]; then ns=(unshare -m); else ns=(unshare -rm); fi
  if "${ns[@]}" true 2>/dev/null; then
    start=$(date +%s%N)
    "${ns[@]}" bash -c 'mount -t tmpfs -o size=16k kapuna-full "$1" || exit 9
      "$2" --pdf "$1/sheet.pdf" 2>"$3/message"; rc=$?
      ls -A "$1" >"$3/left"; exit $rc' - "$full" "$print_sample" "$work"
    rc=$?
    [ "$rc" -ne 9 ] || fail "could not mount a small tmpfs"
    [ "$rc" -eq 3 ] || fail "a full folder gave exit $rc, not a message: $(cat "$work/message")"
    told "warning: 결과표를 PDF로 저장하지 못했습니다: $full"
    [ ! -s "$work/left" ] || fail "a full folder was left with: $(cat "$work/left")"
    echo "full folder: told where, nothing left behind"
  elif $ci; then
    fail "no mount namespace for the full-folder check"
  else
    echo "note: the full-folder check needs a mount namespace (unshare); not run here"
  fi

  [ -r "$fault_shim" ] || unable "no fault shim to make a rename fail (Linux only)"
  # Replacing a file the user chose in the save dialog: the new file takes
  # the old one's place in one step, so when that last step fails the old
  # file is still there, whole, and nothing else is left beside it.
  # (verify_asan_link_order: the shim comes before a sanitizer's runtime.)
  for kind in save picture; do
    folder="$work/replace-$kind"
    mkdir "$folder"
    case $kind in save) name=old.pdf what=결과표를\ PDF로 ;; picture) name=old.png what=그림을 ;; esac
    echo "the old content" >"$folder/$name"
    LD_PRELOAD="$fault_shim" KAPUNA_FAIL_RENAME="$name" \
      ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0" \
      timeout "$hang" "$print_sample" "--$kind" "$folder/$name" 2>"$work/message"
    rc=$?
    [ "$rc" -eq 3 ] || fail "a failed replace ($kind) gave exit $rc: $(cat "$work/message")"
    told "warning: ${what} 저장하지 못했습니다: $folder"
    [ "$(cat "$folder/$name")" = "the old content" ] || fail "a failed replace ($kind) lost the old file"
    [ "$(ls -A "$folder")" = "$name" ] || fail "a failed replace ($kind) left: $(ls -A "$folder")"
    # And without the fault, the same replace puts the new file in place.
    timeout "$hang" "$print_sample" "--$kind" "$folder/$name" 2>"$work/message" \
      || fail "the replace ($kind) failed: $(cat "$work/message")"
    [ "$(ls -A "$folder")" = "$name" ] && [ "$(cat "$folder/$name")" != "the old content" ] \
      || fail "the replace ($kind) did not put the new file in place: $(ls -A "$folder")"
  done
  echo "replace: the old file stays whole when the last step fails"
  exit 0
fi
[ "$mode" = cups ] || fail "unknown mode $mode"

# --- The private CUPS server ----------------------------------------------
for tool in cupsd lpadmin lpstat cupsaccept cupsreject cupsenable cupsdisable ps2pdf pdftotext pdftoppm pdfinfo pdffonts; do
  command -v "$tool" >/dev/null 2>&1 || unable "$tool is not installed (scripts/install-deps.sh)"
done
ppd_source=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
[ -r "$ppd_source" ] || unable "the cups-pdf PPD is not installed"
[ -r "$fault_shim" ] || unable "no fault shim to stop the server (Linux only)"

# As root, cupsd refuses to run its filters as root: they run as lp, who
# must reach the folder. As a normal user it runs everything as that user,
# who is also its administrator.
if [ "$(id -u)" -eq 0 ]; then
  run_user=lp; run_group=lp; admin_group=root
else
  run_user=$(id -un); run_group=$(id -gn); admin_group=$run_group
fi
chmod 755 "$work"
mkdir -p "$work/log" "$work/ppd" "$work/bin/backend"
install -d -m 1777 "$work/tmp" "$work/out"
# The system's filters, and one backend of our own: it turns the PostScript
# the queue makes into a PDF named after the job, in our own folder, so the
# test neither needs root nor meets anybody else's jobs.
for d in filter daemon cgi-bin monitor notifier; do
  [ -e "/usr/lib/cups/$d" ] && ln -s "/usr/lib/cups/$d" "$work/bin/$d"
done
cat >"$work/bin/backend/kapuna-test" <<BACKEND
#!/bin/sh
[ \$# -eq 0 ] && { echo 'file kapuna-test "Kapuna test" "Kapuna test"'; exit 0; }
input=\${6:--}
exec ps2pdf "\$input" "$work/out/job-\$1.pdf"
BACKEND
chmod 755 "$work/bin/backend/kapuna-test"

cat >"$work/cupsd.conf" <<CONF
Listen $work/cups.sock
LogLevel debug
WebInterface No
Browsing No
<Location />
  Order allow,deny
  Allow all
</Location>
CONF
cat >"$work/cups-files.conf" <<CONF
ServerRoot $work
ServerBin $work/bin
CacheDir $work/cache
StateDir $work/state
RequestRoot $work/spool
TempDir $work/tmp
AccessLog $work/log/access_log
ErrorLog $work/log/error_log
PageLog $work/log/page_log
Printcap $work/printcap
User $run_user
Group $run_group
SystemGroup $admin_group
CONF
cupsd -t -c "$work/cupsd.conf" -s "$work/cups-files.conf" >/dev/null 2>&1 \
  || fail "cupsd refuses the configuration: $(cupsd -t -c "$work/cupsd.conf" -s "$work/cups-files.conf" 2>&1)"

# The shim stops cupsd where the stop file says, once.
LD_PRELOAD="$fault_shim" KAPUNA_STOP_FILE="$work/stop" \
  cupsd -f -c "$work/cupsd.conf" -s "$work/cups-files.conf" >"$work/log/cupsd.out" 2>&1 &
cupsd_pid=$!

# Every client talks to this server only: lpadmin, lpstat and the program.
export CUPS_SERVER="$work/cups.sock"
unset PRINTER
# lpstat -r succeeds either way; only its words tell.
scheduler_up() { [ "$(lpstat -r 2>/dev/null)" = "scheduler is running" ]; }
wait_for 100 scheduler_up || fail "cupsd did not start: $(cat "$work/log/cupsd.out" "$work/log/error_log" 2>/dev/null | tail -20)"

queue=KapunaTestPDF
# Real printers cannot print on the whole sheet, and the sheet's
# millimetres count from the corner of what they can print: give the queue
# unprintable edges (left 6, bottom 12, right 8, top 10 mm) so that the
# test sees the layout move with them.
sed 's|^\*ImageableArea A4/A4: .*|*ImageableArea A4/A4: "17.01 34.02 572.32 813.65"|' \
  "$ppd_source" >"$work/kapuna-test.ppd"
lpadmin -p "$queue" -v kapuna-test:/ -P "$work/kapuna-test.ppd" -E 2>"$work/lpadmin.err" \
  || fail "lpadmin could not add the queue: $(cat "$work/lpadmin.err")"
lpadmin -d "$queue" || fail "lpadmin could not make the queue the default"
# A user's own default (lpoptions) must not lead the program to another printer.
export LPDEST="$queue"

# The sheet counts from the printable area's corner: take it from the PPD
# (PostScript points, y upward from the bottom of the paper).
ppd="$work/ppd/$queue.ppd"
area=$(sed -n 's/^\*ImageableArea A4\/[^:]*: *"\([^"]*\)".*/\1/p' "$ppd")
paper=$(sed -n 's/^\*PaperDimension A4\/[^:]*: *"\([^"]*\)".*/\1/p' "$ppd")
[ -n "$area" ] && [ -n "$paper" ] || fail "the queue's PPD has no A4 printable area"
read -r llx _ _ ury <<<"$area"
read -r _ paper_height <<<"$paper"
origin=$(awk -v x="$llx" -v u="$ury" -v h="$paper_height" 'BEGIN { printf "%g,%g", x, h - u }')

# Where the program would put a PDF if it took the printer for missing.
standin="$work/standin"
mkdir "$standin"
no_standin() { [ -z "$(ls -A "$standin")" ] || fail "a PDF was written instead: $(ls -A "$standin")"; }

# --- Print and wait -------------------------------------------------------
started=$(date +%s%N)
timeout "$hang" "$print_sample" --folder "$standin" || fail "print_sample failed"
no_standin

jobs_of() { lpstat -W "$1" -o "$queue" 2>/dev/null | awk '{ print $1 }'; }
job_done() { [ -z "$(jobs_of not-completed)" ] && [ -n "$(jobs_of completed)" ]; }
wait_for 600 job_done || fail "the job did not complete within 60 s: $(lpstat -l -W all -o 2>&1; grep -E '^E|Job' "$work/log/error_log" | tail -20)"
job=$(jobs_of completed)
[ "$(wc -l <<<"$job")" -eq 1 ] || fail "more than one job: $job"
produced="$work/out/job-${job##*-}.pdf"
[ -s "$produced" ] || fail "job $job wrote nothing: $(grep -E 'Job' "$work/log/error_log" | tail -20)"
finished=$(date +%s%N)
echo "job $job completed in $(( (finished - started) / 1000000 )) ms: $produced"

[ -n "${KEEP_PDF:-}" ] && cp -- "$produced" "$KEEP_PDF"
"$check_sheet_pdf" "$produced" --origin "$origin" || exit 1

# --- Refusals ---------------------------------------------------------------
printer_message="프린터 설정이 잘못되었습니다"
jobs_before=$(jobs_of all)
no_new_job() { [ "$(jobs_of all)" = "$jobs_before" ] || fail "$1 got a job: $(jobs_of all)"; }

# A default printer that the user or the system names but the server does
# not have is a broken setting: the printer message, never the PDF.
named="$work/named"
mkdir -p "$named/home/.cups" "$named/serverroot"
echo "Default NOPE" >"$named/home/.cups/lpoptions"
echo "Default NOPE/instance" >"$named/serverroot/lpoptions"
for setting in LPDEST=NOPE PRINTER=NOPE HOME="$named/home" CUPS_SERVERROOT="$named/serverroot"; do
  with=(-u LPDEST -u PRINTER HOME="$work" "$setting")
  expect_message "$printer_message" --folder "$standin"
  no_standin
  no_new_job "a missing default printer ($setting)"
done
with=()

cupsreject "$queue" || fail "cupsreject failed"
expect_message "$printer_message" --folder "$standin"
no_standin
no_new_job "a rejecting queue"
cupsaccept "$queue" || fail "cupsaccept failed"

kill -STOP "$cupsd_pid"
expect_message "$printer_message" --folder "$standin"
kill -CONT "$cupsd_pid"
no_standin

# A refusal, then at once a frozen server, in the one program: the second
# press is answered like the first, with nothing held over from it.
cupsreject "$queue" || fail "cupsreject failed"
mkfifo "$work/go"
timeout "$hang" "$print_sample" --folder "$standin" --twice <"$work/go" >"$work/out.txt" 2>"$work/message" &
sample=$!
exec 7>"$work/go"
wait_for $((hang * 10)) grep -q '^pressed' "$work/out.txt" || fail "the first press never ended: $(cat "$work/message")"
cupsaccept "$queue" || fail "cupsaccept failed"
kill -STOP "$cupsd_pid"
second=$(date +%s%N)
echo >&7
exec 7>&-
wait "$sample"; rc=$?
answered=$(date +%s%N)
kill -CONT "$cupsd_pid"
[ "$rc" -eq 3 ] || fail "refusal then freeze gave exit $rc: $(cat "$work/message")"
told "message: $printer_message" "message: $printer_message"
no_standin
echo "refusal, then a frozen server: message after $(( (answered - second) / 1000000 )) ms"

# The server stops once it has the whole document, before it answers: the
# sheet has left and may print, so the user is told so, not that it failed.
# It does print once the server goes on.
unconfirmed="결과표를 프린터로 보냈지만 인쇄를 확인하지 못했습니다. 프린터를 확인하세요."
echo received >"$work/stop"
expect_message "$unconfirmed" --folder "$standin"
[ ! -e "$work/stop" ] || fail "the server never stopped after receiving the document"
kill -CONT "$cupsd_pid"
no_standin
wait_for $((hang * 10)) job_done || fail "the unconfirmed sheet did not print: $(lpstat -l -W all -o 2>&1)"
echo "frozen after the document arrived: told it was sent, and it printed"

# A paused queue still takes the sheet, which waits in it. Nobody names a
# default this time: the server's own is the one.
cupsdisable "$queue" || fail "cupsdisable failed"
env -u LPDEST -u PRINTER HOME="$work" CUPS_SERVERROOT="$work" \
  timeout "$hang" "$print_sample" --folder "$standin" >/dev/null 2>"$work/message" \
  || fail "a paused queue refused the sheet: $(cat "$work/message")"
no_standin
[ -n "$(jobs_of not-completed)" ] || fail "the sheet is not waiting in the paused queue"
cupsenable "$queue"
echo "paused queue: the sheet waits in it"

# Last, as it ends the server: killed after it created the job, while the
# document arrives. The sheet never printed, and the user hears it at once.
echo receive >"$work/stop"
timeout "$hang" "$print_sample" --folder "$standin" 2>"$work/message" &
sample=$!
stopped() { [ "$(awk '{ print $3 }' "/proc/$cupsd_pid/stat" 2>/dev/null)" = T ]; }
wait_for $((hang * 10)) stopped || fail "the server never stopped while the document arrived"
kill -KILL "$cupsd_pid"
killed=$(date +%s%N)
wait "$sample"; rc=$?
answered=$(date +%s%N)
[ "$rc" -eq 3 ] || fail "a killed server gave exit $rc: $(cat "$work/message")"
told "message: $printer_message"
no_standin
echo "server killed after Create-Job: message $(( (answered - killed) / 1000000 )) ms after the kill"

#!/usr/bin/env bash
# Prints the twelve-player sample sheet through the real Qt print path and
# checks the PDF that comes out.
#
#   run_sheet_test.sh pdf  PRINT_SAMPLE CHECK_SHEET_PDF
#       the PDF stand-in for a missing default printer, written directly
#   run_sheet_test.sh cups PRINT_SAMPLE CHECK_SHEET_PDF
#       a private cupsd with a cups-pdf queue as the default printer
#
# Exit 0 passed, 1 failed, 77 skipped (only outside CI, when not root).
# KEEP_PDF=FILE keeps a copy of what the printer made, for a look.
set -uo pipefail

mode=${1:?mode}
print_sample=${2:?print_sample}
check_sheet_pdf=${3:?check_sheet_pdf}
export QT_QPA_PLATFORM=offscreen

work=$(mktemp -d "${TMPDIR:-/tmp}/kapuna-print.XXXXXX") || exit 1
cupsd_pid=
produced=
made_out=
cleanup() {
  if [ -n "$cupsd_pid" ] && kill -0 "$cupsd_pid" 2>/dev/null; then
    kill -TERM "$cupsd_pid"
    for _ in $(seq 1 50); do kill -0 "$cupsd_pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$cupsd_pid" 2>/dev/null && kill -KILL "$cupsd_pid"
  fi
  [ -n "$produced" ] && rm -f -- "$produced"
  [ -n "$made_out" ] && rmdir -- "$made_out" 2>/dev/null
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

if [ "$mode" = pdf ]; then
  "$print_sample" --pdf "$work/sheet.pdf" || fail "print_sample could not write the PDF"
  "$check_sheet_pdf" "$work/sheet.pdf"
  exit $?
fi
[ "$mode" = cups ] || fail "unknown mode $mode"

# --- The private CUPS server ----------------------------------------------
ci=false
[ "${CI:-}" = true ] && ci=true
unable() {
  if $ci; then fail "$* (CI must run this test)"; fi
  echo "SKIP: $*"; exit 77
}
[ "$(id -u)" -eq 0 ] || unable "starting a private cupsd needs root (it runs its filters as lp)"
for tool in cupsd lpadmin lpstat cancel pdftotext pdftoppm pdfinfo pdffonts; do
  command -v "$tool" >/dev/null 2>&1 || unable "$tool is not installed (scripts/install-deps.sh)"
done
[ -x /usr/lib/cups/backend/cups-pdf ] || unable "the cups-pdf backend is not installed"
[ -r /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd ] || unable "the cups-pdf PPD is not installed"

# cupsd runs its filters as lp: they need to reach the folder and write
# their temporary files.
chmod 755 "$work"
mkdir -p "$work/log" "$work/ppd"
install -d -m 1777 "$work/tmp"
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
CacheDir $work/cache
StateDir $work/state
RequestRoot $work/spool
TempDir $work/tmp
AccessLog $work/log/access_log
ErrorLog $work/log/error_log
PageLog $work/log/page_log
Printcap $work/printcap
User lp
Group lp
CONF
cupsd -t -c "$work/cupsd.conf" -s "$work/cups-files.conf" >/dev/null 2>&1 \
  || fail "cupsd refuses the configuration: $(cupsd -t -c "$work/cupsd.conf" -s "$work/cups-files.conf" 2>&1)"

cupsd -f -c "$work/cupsd.conf" -s "$work/cups-files.conf" >"$work/log/cupsd.out" 2>&1 &
cupsd_pid=$!

# Every client talks to this server only: lpadmin, lpstat and the program.
export CUPS_SERVER="$work/cups.sock"
unset PRINTER
# lpstat -r succeeds either way; only its words tell.
scheduler_up() { [ "$(lpstat -r 2>/dev/null)" = "scheduler is running" ]; }
wait_for 100 scheduler_up || fail "cupsd did not start: $(cat "$work/log/cupsd.out" "$work/log/error_log" 2>/dev/null | tail -20)"

queue=KapunaTestPDF
# cups-pdf can print on the whole sheet. Real printers cannot, and the
# sheet's millimetres count from the corner of what they can print: give
# the queue unprintable edges (left 6, bottom 12, right 8, top 10 mm) so
# that the test sees the layout move with them.
sed 's|^\*ImageableArea A4/A4: .*|*ImageableArea A4/A4: "17.01 34.02 572.32 813.65"|' \
  /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd >"$work/kapuna-test.ppd"
lpadmin -p "$queue" -v cups-pdf:/ -P "$work/kapuna-test.ppd" -E 2>/dev/null \
  || fail "lpadmin could not add the queue"
lpadmin -d "$queue" || fail "lpadmin could not make the queue the default"
# A user's own default (lpoptions) must not lead Qt to another printer.
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

# cups-pdf writes under the submitting user's home (its own setting).
user=$(id -un)
home=$(getent passwd "$user" | cut -d: -f6)
out=$(sed -n 's/^[[:space:]]*Out[[:space:]]\+//p' /etc/cups/cups-pdf.conf 2>/dev/null | tail -1)
# (Without an Out line it uses its built-in spool folder.)
[ -n "$out" ] || out='/var/spool/cups-pdf/${USER}'
out=$(printf '%s\n' "$out" | sed -e "s|\${HOME}|$home|g" -e "s|\${USER}|$user|g")
[ -d "$out" ] || made_out=$out
touch "$work/before"

# --- Print and wait -------------------------------------------------------
started=$(date +%s%N)
"$print_sample" || fail "print_sample failed"

job_done() { [ -z "$(lpstat -W not-completed -o "$queue" 2>/dev/null)" ] \
             && [ -n "$(lpstat -W completed -o "$queue" 2>/dev/null)" ]; }
wait_for 600 job_done || fail "the job did not complete within 60 s: $(lpstat -l -W all -o 2>&1; grep -E '^E|Job' "$work/log/error_log" | tail -20)"

newest_pdf() { find "$out" -maxdepth 1 -name '*.pdf' -newer "$work/before" -printf '%T@ %p\n' 2>/dev/null \
               | sort -n | tail -1 | cut -d' ' -f2-; }
pdf_written() { [ -n "$(newest_pdf)" ]; }
wait_for 50 pdf_written || fail "cups-pdf wrote nothing into $out: $(grep -E 'Job' "$work/log/error_log" | tail -20)"
produced=$(newest_pdf)
finished=$(date +%s%N)
echo "job completed in $(( (finished - started) / 1000000 )) ms: $produced"

[ -n "${KEEP_PDF:-}" ] && cp -- "$produced" "$KEEP_PDF"
"$check_sheet_pdf" "$produced" --origin "$origin"

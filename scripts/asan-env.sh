# The sanitizer options of the ASan build (build-asan/), for the test suite
# (scripts/check-asan.sh) and for playing the game in a real window:
#
#   . scripts/asan-env.sh && build-asan/kapuna
#
# Beyond the defaults: uses of a finished function's locals (a callback
# that outlived the handler that made it), static initialisers that read
# another file's statics before they are made, and string arguments read
# in full by the C library's functions. The suppression files name reports
# from inside system libraries only (see each file).
asan_root=$(cd "$(dirname "${BASH_SOURCE[0]:-$0}")/.." && pwd)
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:strict_string_checks=1:suppressions=$asan_root/tests/asan/asan.supp"
export LSAN_OPTIONS="suppressions=$asan_root/tests/asan/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
unset asan_root

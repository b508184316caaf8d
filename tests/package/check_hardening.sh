#!/usr/bin/env bash
# The release binary is hardened: PIE, full RELRO, a non-executable stack, the stack protector,
# and fortified library calls. Usage: check_hardening.sh BINARY COMPILE_COMMANDS_JSON
set -euo pipefail
binary=$1 compile_commands=$2
failures=0
check() {
  if eval "$2" >/dev/null; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}

check "position-independent executable" "readelf -h '$binary' | grep 'DYN (Position-Independent'"
check "RELRO segment" "readelf -lW '$binary' | grep GNU_RELRO"
check "bound now (full RELRO)" "readelf -dW '$binary' | grep 'FLAGS_1.*NOW'"
check "non-executable stack" "readelf -lW '$binary' | grep GNU_STACK | grep -v RWE"
check "stack protector" "readelf --dyn-syms -W '$binary' | grep __stack_chk_fail"
# Fortification leaves no trace in a binary without fortifiable calls: check how it was built.
check "built with _FORTIFY_SOURCE=2" \
  "grep '\"command\"' '$compile_commands' | grep 'main_qt.cpp' | grep -- '-D_FORTIFY_SOURCE=2'"

echo "$((6 - failures)) passed, $failures failed"
((failures == 0))

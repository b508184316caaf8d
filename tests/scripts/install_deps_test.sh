#!/usr/bin/env bash
# scripts/install-deps against a stand-in apt-get (and dpkg, sudo, sleep) first on the PATH: a
# mirror in the middle of a sync, a 32-bit Wine that cannot be had, a package that cannot be had
# at all, and nothing missing. Needs neither a network nor root.
# Usage: install_deps_test.sh SCRIPTS_DIR
set -uo pipefail
install_deps=$1/install-deps
stand_ins=$(mktemp -d)
trap 'rm -rf "$stand_ins"' EXIT
export CALLS=$stand_ins/calls PATH=$stand_ins:$PATH

# Each stand-in notes how it was called. apt-get fails `update` UPDATE_FAILS times as a mirror in
# mid-sync does, and any install that names a package of REFUSED; dpkg-query knows only INSTALLED
# (or all).
stand_in() { printf '#!/usr/bin/env bash\necho "%s $*" >>"$CALLS"\n%s\n' "$1" "$2" >"$stand_ins/$1"; chmod +x "$stand_ins/$1"; }
stand_in sudo 'exec "$@"'
stand_in sleep ''
stand_in dpkg '[[ $1 == --add-architecture ]] || exit 0'
stand_in dpkg-query '[[ $INSTALLED == all || " $INSTALLED " == *" ${!#} "* ]] && echo "install ok installed"'
stand_in apt-get '
if [[ $1 == update ]]; then
  tries=$(grep -c "^apt-get update" "$CALLS")
  ((tries > UPDATE_FAILS)) && exit 0
  echo "E: Failed to fetch http://deb.example/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 203.0.113.80 80]" >&2
  exit 100
fi
for package in "$@"; do
  if [[ " $REFUSED " == *" $package "* ]]; then
    echo "E: Unable to correct problems, you have held broken packages." >&2
    exit 100
  fi
done'

failures=0
check() {  # DESCRIPTION CONDITION...
  local what=$1
  shift
  if ! "$@"; then
    echo "FAILED: $what" >&2
    failures=$((failures + 1))
  fi
}
run() {  # UPDATE_FAILS REFUSED INSTALLED: runs install-deps --test into $out and $status
  : >"$CALLS"
  out=$(UPDATE_FAILS=$1 REFUSED=$2 INSTALLED=$3 "$install_deps" --test 2>&1)
  status=$?
}
lines() { grep -c "$1" <<<"$out"; }
calls() { grep -c "$1" "$CALLS"; }

# The mirror never recovers and the 32-bit Wine cannot be installed: everything else is, and each
# is said in one line.
run 9 wine32:i386 ""
check "goes on without the 32-bit Wine" test "$status" = 0
check "three tries of update, a pause between" test "$(calls '^apt-get update')/$(calls '^sleep')" = 3/2
check "one line on the package lists" test "$(lines 'Not every package list could be refreshed (bookworm-security/main/binary-i386/Packages.xz: File has unexpected size')" = 1
check "one line on the 32-bit program" test "$(lines 'will not be run: wine32:i386 cannot be installed (Unable to correct problems, you have held broken packages.)')" = 1
check "every other package installed" grep -q "^apt-get install -y -qq --no-install-recommends cmake .* nsis .*chromium" "$CALLS"

# An update that works on its second try says nothing of the lists.
run 1 "" ""
check "a second try that works" test "$status/$(calls '^apt-get update')/$(lines 'package list')" = 0/2/0

# A package other than the 32-bit Wine that cannot be had fails the set-up, named with apt's reason.
run 0 nsis ""
check "a required package refused fails" test "$status" != 0
check "the refused package named" test "$(lines '^Cannot install nsis: Unable to correct problems')" = 1

# Only what is missing is installed; nothing at all where nothing is.
run 0 "" "cmake ninja-build"
check "what is installed is not asked for" bash -c "! grep -qE ' (cmake|ninja-build) ' '$CALLS'"
run 0 "" all
check "nothing missing, apt not called" test "$status/$(calls apt-get)" = 0/0

((failures == 0)) && echo "install-deps: every outcome as expected"
exit $((failures > 0))

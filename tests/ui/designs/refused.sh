#!/bin/sh
# Passes where the compiler refuses a design for the reason given, and only then.
# Usage: refused.sh REASON COMPILER ARGUMENTS...
reason=$1
shift
"$@" 2>&1 | grep -q "assertion failed.*$reason"

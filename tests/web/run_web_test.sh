#!/usr/bin/env bash
# Runs the browser test: the shared scenario as JSON, then the page in headless Chromium, as the
# release makes it (scripts/package).
# Usage: run_web_test.sh BUILD_DIR SCENARIO_JSON.js TEST_DIR
set -euo pipefail
build=$1 scenario=$2 tests=$3
node --no-experimental-fetch "$scenario" >"$tests/scenario.json"
scripts=$(dirname "$0")/../../scripts
rm -rf "$tests/downloads"
"$scripts/package" "$build" "$tests/downloads"
site=$(find "$tests/downloads" -mindepth 1 -maxdepth 1 -type d)
node "$tests/web_test.mjs" "$site" "$tests/scenario.json" "$scripts/serve_site.py" "$scripts/chromium.json"

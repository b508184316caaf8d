#!/usr/bin/env bash
# Runs the browser test: the shared scenario as JSON, then the page in headless Chromium.
# Usage: run_web_test.sh SITE_DIR SCENARIO_JSON.js TEST_DIR
set -euo pipefail
site=$1 scenario=$2 tests=$3
node --no-experimental-fetch "$scenario" >"$tests/scenario.json"
scripts=$(dirname "$0")/../../scripts
node "$tests/web_test.mjs" "$site" "$tests/scenario.json" "$scripts/serve_site.py" "$scripts/chromium.json"

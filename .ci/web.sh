#!/usr/bin/env bash
# Builds the web version and plays it in headless Chromium, in bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."

CMAKE_ARGS="-DTOVIK_WERROR=ON ${CMAKE_ARGS:-}" timeout 1800 tools/build-web.sh
tools/install-packages.sh chromium
# Node and npm from Debian, unless a node with its own npm is there already.
command -v npm >/dev/null || tools/install-packages.sh nodejs npm
(cd tests/web && timeout 300 npm ci --no-audit --no-fund)

site=${WEB_BUILD_DIR:-build-web}/site
port=${TOVIK_WEB_PORT:-8765}
python3 -m http.server --bind 127.0.0.1 --directory "$site" "$port" >/dev/null 2>&1 &
server=$!
trap 'kill "$server"' EXIT
for _ in $(seq 50); do
    python3 -c "import urllib.request; urllib.request.urlopen('http://127.0.0.1:$port/')" 2>/dev/null && break
    sleep 0.2
done
timeout 600 node tests/web/browser_test.js "http://127.0.0.1:$port/"

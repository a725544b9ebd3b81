#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test, in the optimised
# build and in the AddressSanitizer/UndefinedBehaviorSanitizer build.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh chromium python3 libjs-bootstrap libjs-jquery
for preset in release asan; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset" -j "$(nproc)"
done

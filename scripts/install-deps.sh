#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, if missing,
# and the SARIF schema validator that the tests run (npm packages, into
# tests/support/sarif/node_modules), so that no test downloads anything.
set -euo pipefail

packages=(build-essential cmake ninja-build pkg-config libre2-dev libpcre2-dev libgtest-dev
          libsqlite3-dev sqlite3 time postgresql libpq-dev)
# Node.js may come from elsewhere than Debian, with its own npm.
command -v npm >/dev/null || packages+=(nodejs npm)
packages+=("$@")

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

validator="$(dirname "$0")/../tests/support/sarif"
if [ ! "$validator/node_modules/.package-lock.json" -nt "$validator/package-lock.json" ]; then
  echo "Installing the SARIF validator's npm packages"
  npm ci --prefix "$validator" --no-audit --no-fund --loglevel=error
fi

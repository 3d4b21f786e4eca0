#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need.
# Safe to run again: it only calls apt-get when a package is missing.
set -euo pipefail
PACKAGES=(
  g++ cmake ninja-build libgtest-dev libgmock-dev libbenchmark-dev libsqlite3-dev
  qt6-base-dev libqt6sql6-sqlite libqt6sql6-odbc unixodbc unixodbc-dev tdsodbc libsqliteodbc
  libinih-dev fonts-dejavu-core fonts-liberation2 qt6-translations-l10n xvfb xauth
  librapidcheck-dev openbox xdotool x11-xkb-utils
)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null; then
    echo "Missing Debian packages: ${missing[*]}" >&2
    echo "There is no sudo here: install them once as root, then run the command again:" >&2
    # Quoted for the shell su starts, then for the one the line is typed in.
    line="$(printf '%q' "$(printf '%q' "$(cd "$(dirname "$0")" && pwd)/setup.sh")")"
    echo "  su -c $line" >&2
    exit 1
  fi
  SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"

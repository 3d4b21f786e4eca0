#!/usr/bin/env bash
# Builds the program, creates the embedded demo database next to it when it
# is missing, and starts the program on it. Extra arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/build.sh
BIN=build/bin
[ -f "$BIN/demo.db" ] || "$BIN/zamolid_demo_db" "$BIN/demo.db" --reportes 240
LINE="@Server=; @DbName=demo.db; @Usuario=supervisor; @Password=; @UsuarioLogeado=supervisor; @Caja=1;"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  exec xvfb-run -a "$BIN/zamolid" $LINE "$@"
fi
exec "$BIN/zamolid" $LINE "$@"

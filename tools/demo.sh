#!/usr/bin/env bash
# Builds the program, creates the embedded demo database next to it when it
# is missing, and starts the program on it. Extra arguments go to the program.
# Without a display (none named, or the offscreen or minimal platform asked
# for in QT_QPA_PLATFORM) there is no window to work in: a picture of the
# main window after a search on the demo database is saved instead, and the
# command ends at once.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/build.sh
BIN=build/bin
[ -f "$BIN/demo.db" ] || "$BIN/zamolid_demo_db" "$BIN/demo.db" --reportes 240
LINE="@Server=; @DbName=demo.db; @Usuario=supervisor; @Password=; @UsuarioLogeado=supervisor; @Caja=1;"
case "${QT_QPA_PLATFORM:-}" in
  offscreen* | minimal*) SIN_PANTALLA="the platform ${QT_QPA_PLATFORM} shows no window" ;;
  "") [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && SIN_PANTALLA="no display" ;;
esac
if [ -n "${SIN_PANTALLA:-}" ]; then
  OUT="$(pwd)/build/zamolid-principal.png"
  QT_QPA_PLATFORM=offscreen "$BIN/captura_principal" "$OUT" "$BIN"
  echo "${SIN_PANTALLA^}: the program was not started. A picture of its main window (a search on the"
  echo "demo database) is in $OUT. Run tools/demo.sh in a desktop session to use the program."
  exit 0
fi
exec "$BIN/zamolid" $LINE "$@"

#!/usr/bin/env bash
# Plants one-line faults, one at a time, and tells which ones the tests catch.
#
#   tools/mutar.sh LIST [BUILD_DIR]
#
# LIST holds one fault per line, its fields separated by tabs:
#   file <TAB> text as it stands <TAB> text planted in its place [<TAB> note]
# The planted text may be empty (the statement is deleted).
# The file is relative to the repository; the text must stand exactly once in
# it (add context to the text when it does not). Empty lines and lines that
# begin with "#" are skipped. "\t" and "\n" in a text stand for a tab and a
# line break.
#
# For each fault the file is changed, the test programs of the file's layer
# and of every layer above it are rebuilt in BUILD_DIR (default: build, which
# must be configured) and run through ctest, and the file is put back as it
# was, also when the script is interrupted. At the end a table gives each
# fault as killed (a test failed), surviving (every test passed), not built
# (the planted text does not compile) or not found (the text is not in the
# file once); the exit status is 1 when a fault survived.
set -uo pipefail
cd "$(dirname "$0")/.."
LIST="${1:?usage: tools/mutar.sh LIST [BUILD_DIR]}"
BUILD="${2:-build}"
[ -f "$BUILD/CMakeCache.txt" ] || { echo "$BUILD is not a configured build folder (run tools/build.sh)" >&2; exit 2; }
export QT_QPA_PLATFORM=offscreen

# The layers from the bottom up; a layer's tests cover it and the layers
# above it use it, so their tests run too.
LAYERS=(platform lookup session vouchers voucher_dialogs lots approval)
layers_from() {
  local l="$1" found=0 out=()
  for x in "${LAYERS[@]}"; do
    [ "$x" = "$l" ] && found=1
    # voucher_dialogs and lots sit side by side: neither uses the other.
    if [ $found -eq 1 ]; then
      if { [ "$l" = voucher_dialogs ] && [ "$x" = lots ]; } || { [ "$l" = lots ] && [ "$x" = voucher_dialogs ]; }; then continue; fi
      out+=("$x")
    fi
  done
  echo "${out[@]}"
}

SAVED=""
SAVED_FILE=""
restore() {
  if [ -n "$SAVED" ] && [ -f "$SAVED" ]; then
    # A fresh time stamp: the objects built from the planted fault are
    # newer than the file's old one, and the build would keep them.
    cp "$SAVED" "$SAVED_FILE"
    touch "$SAVED_FILE"
    rm -f "$SAVED"
  fi
  SAVED=""
}
trap 'restore; exit 130' INT TERM
trap restore EXIT

results=()
n=0 killed=0 survived=0
while IFS= read -r line || [ -n "$line" ]; do
  [ -z "${line//[[:space:]]/}" ] && continue
  [[ "$line" =~ ^[[:space:]]*# ]] && continue
  # Split at the tabs through a separator that is not white space, so an
  # empty planted text (a deleted statement) stays a field of its own.
  IFS=$'\x1f' read -r file from to note <<<"${line//$'\t'/$'\x1f'}"
  n=$((n + 1))
  from="${from//\\t/$'\t'}"; from="${from//\\n/$'\n'}"
  to="${to//\\t/$'\t'}"; to="${to//\\n/$'\n'}"
  if [ ! -f "$file" ]; then
    results+=("$n	not found	$file	(no such file)	${note:-}")
    continue
  fi
  count=$(FROM="$from" perl -0777 -ne '$c = () = /\Q$ENV{FROM}\E/g; print $c' "$file")
  if [ "$count" != 1 ]; then
    results+=("$n	not found	$file	text found $count times: ${from:0:60}	${note:-}")
    continue
  fi
  layer=$(echo "$file" | sed -nE 's#^src/([^/]+)/.*#\1#p')
  if [ -z "$layer" ]; then
    # A file outside src/ (db/, a main): every layer's tests.
    layer=platform
  fi
  read -r -a run_layers <<<"$(layers_from "$layer")"
  targets=()
  labels=""
  for l in "${run_layers[@]}"; do
    targets+=("test_$l")
    labels="${labels:+$labels|}$l"
  done
  SAVED="$(mktemp)"
  SAVED_FILE="$file"
  cp -p "$file" "$SAVED"
  FROM="$from" TO="$to" perl -0777 -pi -e 's/\Q$ENV{FROM}\E/$ENV{TO}/' "$file"
  echo "== fault $n: $file: ${from:0:70} -> ${to:0:70}" >&2
  if ! cmake --build "$BUILD" --target "${targets[@]}" >/tmp/mutar.build.$$ 2>&1; then
    results+=("$n	not built	$file	${from:0:50} -> ${to:0:50}	${note:-}")
    restore
    continue
  fi
  out=$(ctest --test-dir "$BUILD" -L "^($labels)\$" -j"$(nproc)" --timeout 120 2>&1)
  if echo "$out" | grep -q "No tests were found"; then
    echo "no tests carry the labels $labels: configure $BUILD again" >&2
    exit 2
  fi
  if echo "$out" | grep -q "100% tests passed"; then
    survived=$((survived + 1))
    results+=("$n	SURVIVED	$file	${from:0:50} -> ${to:0:50}	${note:-}")
  else
    killed=$((killed + 1))
    first=$(echo "$out" | sed -nE 's/^[[:space:]]*[0-9]+ - ([^ ]+) .*\((Failed|Timeout|SEGFAULT|Subprocess aborted|Exception|Child aborted)\).*/\1/p' | head -2 | paste -sd, -)
    results+=("$n	killed	$file	${from:0:50} -> ${to:0:50}	${first:-}")
  fi
  restore
done <"$LIST"
rm -f /tmp/mutar.build.$$

# Rebuild what the planted faults left built, so the build folder matches the
# sources again.
cmake --build "$BUILD" >/dev/null 2>&1 || true

printf '\n%s\t%s\t%s\t%s\t%s\n' "#" "result" "file" "fault" "note / first failing tests"
for r in "${results[@]}"; do printf '%s\n' "$r"; done
echo
echo "$n faults: $killed killed, $survived surviving, $((n - killed - survived)) not built or not found"
[ "$survived" -eq 0 ]

#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks that the programs, the desktop entry
# and the icon land where desktops look for them, and that the entry is valid.
#
# Usage: install_check.sh BUILD_DIR
set -euo pipefail

build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null

status=0
for file in bin/tavrin bin/tavrin-tool share/applications/tavrin.desktop \
  share/icons/hicolor/scalable/apps/tavrin.svg; do
  if [ -e "$prefix/$file" ]; then
    echo "ok: $file"
  else
    echo "FAIL: $file is not installed"
    status=1
  fi
done
for program in bin/tavrin bin/tavrin-tool; do
  if [ -e "$prefix/$program" ] && [ ! -x "$prefix/$program" ]; then
    echo "FAIL: $program is not executable"
    status=1
  fi
done
if command -v desktop-file-validate >/dev/null; then
  if desktop-file-validate "$prefix/share/applications/tavrin.desktop"; then
    echo "ok: the desktop entry is valid"
  else
    echo "FAIL: desktop-file-validate rejects the desktop entry"
    status=1
  fi
else
  echo "note: desktop-file-validate is not installed; the entry was not validated"
fi
exit $status

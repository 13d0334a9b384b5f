#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks that the programs, the desktop entry,
# the AppStream metadata, the icons, the manual pages and the licence land where desktops
# and Debian look for them, and that the entry and the metadata validate.
#
# Usage: install_check.sh BUILD_DIR
set -euo pipefail

build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null

status=0
fail() {
  echo "FAIL: $1"
  status=1
}
app=io.github.tavrin.Tavrin
files=(bin/tavrin bin/tavrin-tool "share/applications/$app.desktop"
  "share/metainfo/$app.metainfo.xml" share/icons/hicolor/scalable/apps/tavrin.svg
  share/doc/tavrin/copyright share/doc/tavrin/changelog.gz
  share/man/man1/tavrin.1.gz share/man/man1/tavrin-tool.1.gz)
for size in 16 22 24 32 48 64 128 256 512; do
  files+=("share/icons/hicolor/${size}x${size}/apps/tavrin.png")
done
for file in "${files[@]}"; do
  if [ -e "$prefix/$file" ]; then
    echo "ok: $file"
  else
    fail "$file is not installed"
  fi
done
for program in bin/tavrin bin/tavrin-tool; do
  if [ -e "$prefix/$program" ] && [ ! -x "$prefix/$program" ]; then
    fail "$program is not executable"
  fi
done
for size in 16 48 256; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/tavrin.png
  if [ -e "$icon" ] && [ "$(identify -format '%m %wx%h' "$icon")" != "PNG ${size}x${size}" ]; then
    fail "the ${size}px icon is not a ${size}x${size} PNG"
  fi
done

entry=$prefix/share/applications/$app.desktop
grep -qx 'Exec=tavrin %F' "$entry" || fail "the desktop entry does not pass files to tavrin"
# The metadata names the entry it describes.
grep -q "<launchable type=\"desktop-id\">$app.desktop</launchable>" \
  "$prefix/share/metainfo/$app.metainfo.xml" || fail "the metadata names another desktop entry"

validate() { # tool, what, arguments...
  local tool=$1 what=$2
  shift 2
  if ! command -v "$tool" >/dev/null; then
    echo "note: $tool is not installed; $what was not validated"
  elif "$tool" "$@"; then
    echo "ok: $what is valid"
  else
    fail "$tool rejects $what"
  fi
}
validate desktop-file-validate "the desktop entry" "$entry"
validate appstreamcli "the AppStream metadata" validate --no-net \
  "$prefix/share/metainfo/$app.metainfo.xml"
exit $status

#!/usr/bin/env bash
# Builds the Debian package from the build tree (as `make package` does from the release
# tree) and checks what apt would install: the files, the dependencies dpkg-shlibdeps found
# plus the Qt platform plug-ins, and lintian's verdict (errors fail; warnings are shown).
#
# Usage: package_check.sh BUILD_DIR
# Exit status 77 (skipped) when cpack's Debian tools are not installed.
set -euo pipefail

build=$1
for program in cpack dpkg-deb dpkg-shlibdeps; do
  if ! command -v "$program" >/dev/null; then
    echo "SKIP: $program is not installed"
    exit 77
  fi
done
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1; then
  cat "$out/cpack.log"
  echo "FAIL: cpack did not build the package"
  exit 1
fi
debs=("$out"/tavrin_*.deb)
deb=${debs[0]}
echo "package: $(basename "$deb")"

status=0
fail() {
  echo "FAIL: $1"
  status=1
}
contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
app=io.github.tavrin.Tavrin
for file in ./usr/bin/tavrin ./usr/bin/tavrin-tool "./usr/share/applications/$app.desktop" \
  "./usr/share/metainfo/$app.metainfo.xml" ./usr/share/icons/hicolor/48x48/apps/tavrin.png \
  ./usr/share/icons/hicolor/scalable/apps/tavrin.svg ./usr/share/doc/tavrin/copyright \
  ./usr/share/doc/tavrin/changelog.gz ./usr/share/man/man1/tavrin.1.gz; do
  grep -qx "$file" <<<"$contents" && echo "ok: $file" || fail "$file is not in the package"
done
if grep -v '^\./usr/' <<<"$contents" | grep -qv '^\./$'; then
  fail "the package installs outside /usr: $(grep -v '^\./usr/' <<<"$contents" | tr '\n' ' ')"
fi

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# Libraries the programs link directly, and the plug-ins without which no window opens.
for package in libqt6widgets6 libqt6network6 libpoppler126 libzip4 \
  libxml2 libicu72 libc6 qt6-qpa-plugins; do
  grep -q "\\b$package\\b" <<<"$depends" && echo "ok: depends on $package" ||
    fail "no dependency on $package"
done
[ "$(dpkg-deb -f "$deb" Package)" = tavrin ] || fail "the package is not called tavrin"

if command -v lintian >/dev/null; then
  lintian --tag-display-limit 0 "$deb" >"$out/lintian.log" 2>&1 || true
  cat "$out/lintian.log"
  if grep -q '^E:' "$out/lintian.log"; then
    fail "lintian reports errors"
  else
    echo "ok: lintian reports no errors"
  fi
else
  echo "note: lintian is not installed; the package was not linted"
fi
exit $status

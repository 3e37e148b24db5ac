#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a fresh folder with `cmake --install` and checks
# what a user finds there: the programs, the desktop entry, metainfo and MIME
# type (with the freedesktop tools when they are installed), the manual
# pages and the worked example.
#   install_test.sh BUILD_DIR SOURCE_DIR VERSION WITH_WINDOW(ON|OFF)
set -euo pipefail
build=$1 source=$2 version=$3 window=$4
app_id=org.quenby.Quenby
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

failures=0
fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}
skip() { echo "skipped: $*"; }

expected=(bin/quenby-convert share/man/man1/quenby-convert.1.gz
  share/doc/quenby/README.md share/doc/quenby/copyright share/doc/quenby/changelog.gz)
for example in "$source"/examples/*.{txt,rules,ged}; do
  expected+=("share/doc/quenby/examples/$(basename "$example")")
done
if [ "$window" = ON ]; then
  expected+=(bin/quenby share/man/man1/quenby.1.gz "share/applications/$app_id.desktop"
    "share/metainfo/$app_id.metainfo.xml" "share/mime/packages/$app_id.xml")
  for icon in "$source"/src/ui/icons/quenby_*.png; do
    size=${icon##*_}
    size=${size%.png}
    expected+=("share/icons/hicolor/${size}x$size/apps/$app_id.png")
  done
fi
for file in "${expected[@]}"; do
  [ -f "$prefix/$file" ] || fail "$file is not installed"
done
[ -x "$prefix/bin/quenby-convert" ] || fail "bin/quenby-convert is not executable"

# The installed converter answers with the project's version and converts
# the installed example into the installed expected file.
convert=$prefix/bin/quenby-convert
[ "$("$convert" --version)" = "quenby-convert $version" ] || fail "quenby-convert --version does not say $version"
examples=$prefix/share/doc/quenby/examples
"$convert" -r "$examples/hartley.rules" --sex F -o "$prefix/hartley.ged" "$examples/hartley.txt" </dev/null
cmp -s "$prefix/hartley.ged" "$examples/hartley.ged" || fail "the installed example does not convert to its expected file"

# Every option that --help lists is documented in the manual page.
page=$(gzip -dc "$prefix/share/man/man1/quenby-convert.1.gz")
for option in $("$convert" --help | grep -oE '(^|[ ,])--?[a-z][a-z-]*' | tr -d ' ,' | sort -u); do
  grep -qF -- "${option//-/\\-}" <<<"$page" || fail "quenby-convert.1 does not document $option"
done
if command -v man >/dev/null; then
  for page in "$prefix"/share/man/man1/*.1.gz; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
  done
else
  skip "manual page warnings (no man)"
fi

if [ "$window" = ON ]; then
  grep -qF "<release version=\"$version\"" "$prefix/share/metainfo/$app_id.metainfo.xml" ||
    fail "the metainfo has no release entry for $version"
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/share/applications/$app_id.desktop" || fail "desktop-file-validate"
  else
    skip "desktop-file-validate (desktop-file-utils is not installed)"
  fi
  if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$prefix/share/metainfo/$app_id.metainfo.xml" >/dev/null ||
      fail "appstreamcli validate"
  else
    skip "appstreamcli validate (appstream is not installed)"
  fi
  # The MIME database built from the installed type knows rules files by
  # name and by their first line.
  if command -v update-mime-database >/dev/null; then
    output=$(update-mime-database "$prefix/share/mime" 2>&1) || fail "update-mime-database: $output"
    grep -qx "50:application/x-quenby-rules:\*.rules" "$prefix/share/mime/globs2" ||
      fail "the MIME database does not map *.rules to application/x-quenby-rules"
    grep -qaF "[Rules]" "$prefix/share/mime/magic" || fail "the MIME database has no magic for [Rules]"
  else
    skip "update-mime-database (shared-mime-info is not installed)"
  fi
fi

[ "$failures" -eq 0 ] || exit 1
echo "install tree checked: ${#expected[@]} files"

#!/usr/bin/env bash
# Builds the Debian package in the build tree and checks what it holds: the
# file list, the control fields, the desktop entry, file type and metainfo
# under their validators, the icons' sizes and the manual page.
# Usage: check_package.sh BUILD_DIR
set -uo pipefail
build=$1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# A package left from an earlier build must not stand in for this one.
rm -f "$build"/quenvale_*.deb
cmake --build "$build" --target package >/dev/null || { echo "FAIL: cmake --target package"; exit 1; }

# One version: the program's, in the file name, the control file, the
# metainfo and the manual page.
version=$("$build/quenvale" --version | sed -n 's/^Quenvale //p')
[ -n "$version" ] || { echo "FAIL: no version from quenvale --version"; exit 1; }
deb="$build/quenvale_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { echo "FAIL: $deb was not built"; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = quenvale ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', the program says $version"
case "$(field Section)" in science|graphics) ;; *) fail "Section is '$(field Section)'" ;; esac
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ "$(field Description | wc -l)" -gt 3 ] || fail "no long description"
depends=$(field Depends)
for package in libc6 libqt6widgets6 libqt6printsupport6 libqt6svg6 libxlsxwriter4 libxxhash0 libqt6sql6 libqt6sql6-sqlite libqt6sql6-psql \
               fonts-arphic-uming fonts-noto-cjk; do
  grep -Eq "(^|, )$package( |,|$)" <<<"$depends" || fail "Depends lacks $package: $depends"
done
[ "$(field Recommends)" = "qt6-wayland, qt6-translations-l10n" ] || fail "Recommends is '$(field Recommends)'"

dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sort >"$work/files"
sort >"$work/expected" <<'EOF'
./usr/bin/quenvale
./usr/libexec/quenvale/quenvale-gui
./usr/share/applications/quenvale.desktop
./usr/share/doc/quenvale/changelog.gz
./usr/share/doc/quenvale/copyright
./usr/share/icons/hicolor/16x16/apps/quenvale.png
./usr/share/icons/hicolor/32x32/apps/quenvale.png
./usr/share/icons/hicolor/48x48/apps/quenvale.png
./usr/share/icons/hicolor/64x64/apps/quenvale.png
./usr/share/icons/hicolor/128x128/apps/quenvale.png
./usr/share/icons/hicolor/256x256/apps/quenvale.png
./usr/share/icons/hicolor/scalable/apps/quenvale.svg
./usr/share/man/man1/quenvale.1.gz
./usr/share/metainfo/org.quenvale.quenvale.metainfo.xml
./usr/share/mime/packages/quenvale.xml
./usr/share/quenvale/translations/quenvale_zh_CN.qm
EOF
diff -u "$work/expected" "$work/files" || fail "file list (- expected, + in the package)"

root="$work/root"
dpkg-deb --extract "$deb" "$root"
share="$root/usr/share"

desktop="$share/applications/quenvale.desktop"
desktop-file-validate "$desktop" || fail "desktop-file-validate"
metainfo="$share/metainfo/org.quenvale.quenvale.metainfo.xml"
appstreamcli validate --no-net --pedantic "$metainfo" >"$work/appstream" 2>&1 \
  || { cat "$work/appstream"; fail "appstreamcli validate"; }
grep -q "<release version=\"$version\"" "$metainfo" || fail "metainfo release is not $version"
grep -q '<content_rating type="oars-1.1"' "$metainfo" || fail "metainfo has no content rating"

# The three places that name the file type agree, and the database that
# shared-mime-info builds from the package gives result files that type
# whatever the case of their extension.
type=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$share/mime/packages/quenvale.xml")
[ "$type" = application/x-quenvale-result ] || fail "MIME type is '$type'"
grep -qx "MimeType=$type;" "$desktop" || fail "desktop entry does not open $type"
grep -q "<mediatype>$type</mediatype>" "$metainfo" || fail "metainfo does not provide $type"
update-mime-database "$share/mime" 2>/dev/null || fail "update-mime-database"
mkdir "$work/home"
for name in a.fib B.FIB c.Fib; do
  cp "$(dirname "$0")/../../samples/cwdm-4-fibers.fib" "$work/$name"
  found=$(XDG_DATA_HOME="$work/home" XDG_DATA_DIRS="$share:/usr/share" \
            gio info -a standard::content-type "$work/$name" | sed -n 's/.*content-type: //p')
  [ "$found" = "$type" ] || fail "$name is taken as '$found'"
done

# Each PNG is as large as the folder it lies in says (IHDR width, height).
for size in 16 32 48 64 128 256; do
  png="$share/icons/hicolor/${size}x${size}/apps/quenvale.png"
  dims=$(od -An -tu1 -j16 -N8 "$png" | awk '{print $3 * 256 + $4 "x" $7 * 256 + $8}')
  [ "$dims" = "${size}x${size}" ] || fail "$png is $dims"
done

man_page="$share/man/man1/quenvale.1.gz"
MANWIDTH=80 LC_ALL=C.UTF-8 man --warnings -l "$man_page" >"$work/man.txt" 2>"$work/man.err" \
  || fail "man -l"
[ ! -s "$work/man.err" ] || { cat "$work/man.err"; fail "man -l warns"; }
# The options come from --help, the sections from the include file.
for heading in NAME SYNOPSIS DESCRIPTION OPTIONS "THE WINDOW" "COMMAND-LINE JOBS" \
               LOTS "PAGE SIZES" "EXIT STATUS" FILES; do
  grep -qx "$heading" "$work/man.txt" || fail "manual page lacks the section $heading"
done
for text in "quenvale - viewer for fiber measurement result files" "--export-csv" \
            "--page-size" "--trend" "summaries.sqlite" "Quenvale $version"; do
  grep -qF -- "$text" "$work/man.txt" || fail "manual page lacks \"$text\""
done

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "package $deb: all checks passed"

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a fresh prefix and checks what a desktop and a package need from it:
# every file in its place, a valid desktop entry, a well-formed MIME type that knows the "ILDA"
# magic, manual pages that read, and an installed editor that finds its palettes from there.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
home=$(mktemp -d)
trap 'rm -rf "$prefix" "$home"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
expected="bin/quorvel
bin/quorvel-ilda
libexec/quorvel/quorvel-ilda-media
share/applications/quorvel.desktop
share/doc/quorvel/changelog.gz
share/doc/quorvel/copyright
share/icons/hicolor/128x128/apps/quorvel.png
share/icons/hicolor/16x16/apps/quorvel.png
share/icons/hicolor/24x24/apps/quorvel.png
share/icons/hicolor/256x256/apps/quorvel.png
share/icons/hicolor/32x32/apps/quorvel.png
share/icons/hicolor/48x48/apps/quorvel.png
share/icons/hicolor/64x64/apps/quorvel.png
share/icons/hicolor/scalable/apps/quorvel.svg
share/lintian/overrides/quorvel
share/man/man1/quorvel-ilda.1.gz
share/man/man1/quorvel.1.gz
share/metainfo/org.quorvel.editor.metainfo.xml
share/mime/packages/quorvel.xml
share/quorvel/config.dat
share/quorvel/ilda.dat
share/quorvel/pangolin.dat"
diff <(echo "$expected") <(cd "$prefix" && find . -type f ! -name 'libquorvel_*.so' | sed 's|^\./||' | sort)  # a shared-library build adds its libraries
desktop-file-validate "$prefix/share/applications/quorvel.desktop"
grep -qx 'MimeType=application/x-ilda;' "$prefix/share/applications/quorvel.desktop"
xmllint --noout "$prefix/share/mime/packages/quorvel.xml" "$prefix/share/icons/hicolor/scalable/apps/quorvel.svg"
# Software centres: the metainfo is valid (its screenshots are not fetched here) and names the
# desktop entry and the file type; each icon is the size its folder says.
appstreamcli validate --pedantic --no-net "$prefix/share/metainfo/org.quorvel.editor.metainfo.xml" >/dev/null
grep -q '<launchable type="desktop-id">quorvel.desktop</launchable>' "$prefix/share/metainfo/org.quorvel.editor.metainfo.xml"
grep -q '<mediatype>application/x-ilda</mediatype>' "$prefix/share/metainfo/org.quorvel.editor.metainfo.xml"
for icon in "$prefix"/share/icons/hicolor/*x*/apps/quorvel.png; do
  size=$(basename "$(dirname "$(dirname "$icon")")")
  [ "$(file -b "$icon" | grep -o '[0-9]* x [0-9]*' | tr -d ' ')" = "$size" ] || { echo "$icon is not $size"; exit 1; }
done
[ "$(xmllint --xpath 'string(//*[local-name()="match"]/@value)' "$prefix/share/mime/packages/quorvel.xml")" = ILDA ]
for page in quorvel quorvel-ilda; do
  zcat "$prefix/share/man/man1/$page.1.gz" | grep -q "^\.SH NAME"
done
[ "$("$prefix/bin/quorvel" --version)" = "quorvel $(sed -n 's/^project(.* VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")" ]
# Installed, the tool finds its companion and the installed palettes: it draws a frame as the build's own copy does.
frame="$(dirname "$0")/one-frame.ild"
HOME=$home XDG_CONFIG_HOME= XDG_DATA_HOME= "$prefix/bin/quorvel-ilda" render "$frame" 1 "$home/installed.png"
"$build/quorvel-ilda" render "$frame" 1 "$home/portable.png"
cmp "$home/installed.png" "$home/portable.png"
# A copy for SD-card projectors runs in the companion as well, with the installed palettes.
HOME=$home XDG_CONFIG_HOME= XDG_DATA_HOME= "$prefix/bin/quorvel-ilda" copy --sd-card "$frame" "$home/SD.ILD"
[ -s "$home/SD.ILD" ]
# The installed editor starts and opens the file it is given: the frame's header and points go
# into the first slot of the frame buffer file in the user's folder.
HOME=$home XDG_CONFIG_HOME= XDG_DATA_HOME= QT_QPA_PLATFORM=offscreen "$prefix/bin/quorvel" "$frame" &
editor=$!
buffer="$home/.local/share/quorvel/buffer/FrameBuffer.tmp"
for _ in $(seq 200); do cmp -s -n 56 "$buffer" "$frame" && break; sleep 0.1; done
kill $editor
cmp -n 56 "$buffer" "$frame"
echo "install checks passed"

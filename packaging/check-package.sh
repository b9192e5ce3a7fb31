#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# As root on Debian 12: builds the package, installs it, and uses it as an ordinary user does:
# the command-line companion from /usr/bin, the editor opening a file given on its command line
# with everything it writes under that user's home, and the desktop's file-type lookups.
set -euo pipefail
cd "$(dirname "$0")/.."
make package
# What a distribution checks first: no error and no warning (an override says why where one is wrong).
DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends lintian >/dev/null
if lintian --pedantic ./build/quorvel_*.deb 2>/dev/null | grep -E '^(E|W):'; then exit 1; fi
DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
  ./build/quorvel_*.deb xdg-utils libfile-mimeinfo-perl xvfb xauth >/dev/null
user=quorvel-check
id "$user" >/dev/null 2>&1 || useradd --create-home "$user"
home=$(getent passwd "$user" | cut -d: -f6)
as_user() { runuser -u "$user" -- env -u XDG_CONFIG_HOME -u XDG_DATA_HOME HOME="$home" "$@"; }
work=$(as_user mktemp -d)
install -m 644 -o "$user" data/../tests/install/one-frame.ild "$work/show.ild"
marker=$(mktemp)

as_user /usr/bin/quorvel-ilda info "$work/show.ild" | grep -q '^frames: 1 of 1 declared'
as_user /usr/bin/quorvel-ilda render "$work/show.ild" 1 "$work/one.png" && [ -s "$work/one.png" ]  # through libexec
# The editor runs until it is ended: still running after a few seconds is what "started" means.
status=0
as_user xvfb-run -a timeout 8 /usr/bin/quorvel "$work/show.ild" || status=$?
[ "$status" = 124 ] || { echo "the editor ended with $status"; exit 1; }
[ -f "$home/.local/share/quorvel/buffer/FrameBuffer.tmp" ]
grep -q "$work/show.ild" "$home/.config/quorvel/quorvel.ini"  # opened: it is in Recent Files
[ -z "$(find /usr -newer "$marker" -path '*quorvel*' -print -quit)" ] || { echo "wrote under /usr"; exit 1; }

[ "$(as_user xdg-mime query filetype "$work/show.ild")" = application/x-ilda ]
cp "$work/show.ild" "$work/renamed"
[ "$(as_user xdg-mime query filetype "$work/renamed")" = application/x-ilda ]  # by its "ILDA" magic
[ "$(as_user xdg-mime query default application/x-ilda)" = quorvel.desktop ]
rm -rf "$work" "$marker"
echo "package checks passed"

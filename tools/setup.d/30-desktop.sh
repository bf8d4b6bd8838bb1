#!/usr/bin/env bash
# Registers Vellumtide with the desktop, so that a video's "Open With" menu
# offers it: a desktop entry for the built program and the video types it
# opens. Rewritten only when its content changes.
set -euo pipefail
root="$1"
build="${VELLUMTIDE_BUILD_DIR:-$root/build}"
apps="${XDG_DATA_HOME:-$HOME/.local/share}/applications"
entry="$apps/vellumtide.desktop"
types="video/mp4;video/quicktime;video/x-m4v;video/x-matroska;video/webm;video/x-msvideo;video/mpeg;video/3gpp;video/mp2t;"

content="[Desktop Entry]
Type=Application
Name=Vellumtide
Comment=Turn a talking-head recording into a captioned vertical short
Exec=\"$build/src/program/vellumtide\" %f
Terminal=false
Categories=AudioVideo;Video;AudioVideoEditing;
MimeType=$types
StartupWMClass=vellumtide"

if [ ! -f "$entry" ] || [ "$(cat "$entry")" != "$content" ]; then
  mkdir -p "$apps"
  printf '%s\n' "$content" > "$entry"
  echo "setup: registered $entry"
fi
# The desktop's cache of which programs open which types, where it keeps one.
if command -v update-desktop-database >/dev/null 2>&1; then
  update-desktop-database -q "$apps" || true
fi

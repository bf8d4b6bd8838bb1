#!/usr/bin/env bash
# The 13 bundled caption fonts, from the @fontsource npm packages (OFL), copied
# as .woff2 files into resources/Fonts, where the font book registers them.
# Only the Latin subset of each face is taken: the packages split every face
# into per-script files that share one PostScript name, and one name can be
# registered only once; other scripts fall back to the installed Noto fonts.
set -euo pipefail
root=$1 deps=$2
version=5.3.0
out="$root/resources/Fonts"
stamp="$out/.fontsource-$version"
[ -f "$stamp" ] && exit 0

# package | file stem inside the package's files/ folder
faces=(
  "anton|anton-latin-400-normal"
  "montserrat|montserrat-latin-900-normal"
  "montserrat|montserrat-latin-700-normal"
  "montserrat|montserrat-latin-600-normal"
  "archivo-black|archivo-black-latin-400-normal"
  "oswald|oswald-latin-700-normal"
  "playfair-display|playfair-display-latin-900-normal"
  "playfair-display|playfair-display-latin-700-italic"
  "luckiest-guy|luckiest-guy-latin-400-normal"
  "fredoka|fredoka-latin-700-normal"
  "great-vibes|great-vibes-latin-400-normal"
  "alex-brush|alex-brush-latin-400-normal"
  "dancing-script|dancing-script-latin-700-normal"
)

work="$deps/fonts-src"
rm -rf "$work" && mkdir -p "$work" "$out"
echo "setup: fetching the caption fonts"
declare -A fetched=()
for face in "${faces[@]}"; do
  pkg=${face%%|*} stem=${face#*|}
  if [ -z "${fetched[$pkg]:-}" ]; then
    mkdir -p "$work/$pkg"
    (cd "$work/$pkg" && npm pack --silent "@fontsource/$pkg@$version" >/dev/null && tar xzf ./*.tgz)
    fetched[$pkg]=1
  fi
  file="$work/$pkg/package/files/$stem.woff2"
  [ -f "$file" ] || { echo "setup: $stem.woff2 not found in @fontsource/$pkg" >&2; exit 1; }
  cp "$file" "$out/"
  cp "$work/$pkg/package/LICENSE" "$out/LICENSE-$pkg" 2>/dev/null || true
done
rm -rf "$work"
touch "$stamp"

#!/usr/bin/env bash
# readme_pictures.sh [SHOT]: the pictures the README shows, made again after the look changed:
#   docs/window.png         the real window, cut from a screenshot of the screen (SHOT, default
#                           the end-to-end run's first look, else scripts/run.sh's screenshot);
#   docs/gallery/PAGE.png   the contact sheet of each page of the native skin gallery
#                           (build/gallery/native, written by the gallery test or skin_gallery).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
shot=${1:-}
if [ -z "$shot" ]; then
  for candidate in "$root"/build/win32/tests/e2e/setup_win64_window.png "$root/build/screenshot.png"; do
    [ -f "$candidate" ] && { shot=$candidate; break; }
  done
fi
[ -n "$shot" ] && [ -f "$shot" ] || { echo "readme_pictures: no screenshot (run scripts/run.sh or the end-to-end tests first)" >&2; exit 1; }
gallery=$root/build/gallery/native
[ -f "$gallery/sheet.png" ] || { echo "readme_pictures: no gallery in $gallery (run the tests or skin_gallery first)" >&2; exit 1; }
mkdir -p "$root/docs/gallery"
# The window is the only thing on the private screen: trimming the screen's background leaves it.
convert "$shot" -trim +repage "$root/docs/window.png"
cp "$gallery/sheet.png" "$root/docs/gallery/main.png"
for page in fades checkboxes buttons gauge scrolls edits frame; do
  [ -f "$gallery/$page/sheet.png" ] && cp "$gallery/$page/sheet.png" "$root/docs/gallery/$page.png"
done
echo "readme_pictures: docs/window.png and docs/gallery/*.png from $shot and $gallery"

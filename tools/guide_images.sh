#!/usr/bin/env bash
# Turns the screenshots that the end-to-end run saves beside the Windows test executables
# into the user guide's pictures (docs/images/*.png): cut to the windows that matter and
# reduced to a small palette, so the whole set stays small. Run it after the tests:
#   tools/guide_images.sh [folder with the BMPs]   (default build/win64/tests/app)
# The HTML report picture comes from tools/report_preview.sh (headless Chromium) when
# Chromium is there. A missing screenshot is named and makes the script fail; the picture
# already in docs/images stays as it was.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
shots=${1:-$root/build/win64/tests/app}
out=$root/docs/images
mkdir -p "$out"

if ! command -v convert >/dev/null 2>&1; then
  echo "guide_images: ImageMagick's convert is needed (apt-get install imagemagick)" >&2
  exit 1
fi

# Picture, screenshot, and the part of the 1280 x 800 screen to keep: WxH+X+Y, or "trim"
# (everything but the empty screen around the windows).
pictures=(
  "main-window app_start.bmp trim"
  "filtered-log app_filtered.bmp trim"
  "menu-file app_menu_0.bmp trim"
  "menu-edit app_menu_1.bmp trim"
  "menu-tools app_menu_2.bmp trim"
  "menu-analyze app_menu_3.bmp trim"
  "menu-help app_menu_4.bmp trim"
  "save-prompt save_prompt.bmp trim"
  "revert-question revert_question.bmp trim"
  "open-dialog open_dialog.bmp trim"
  "save-dialog save_dialog.bmp trim"
  "insert-dialog insert_dialog.bmp 712x677+556+0"
  "help-tip-balloon tip_balloon.bmp trim"
  "help-tip-rectangle tip_rectangle.bmp trim"
  "template-inserted template_inserted.bmp trim"
  "memory-list memory_list.bmp trim"
  "find-window find_window.bmp trim"
  "control-info-drag control_info_drag.bmp trim"
  "control-info-released control_info_released.bmp trim"
  "control-info-narrow control_info_narrow.bmp trim"
  "many-pages-question many_pages_question.bmp trim"
  "virustotal-progress virustotal_progress.bmp 420x215+5+5"
)

# Small files: at most 1000 pixels wide, a palette of 64 colours, no metadata.
shrink() { convert "$@" -resize '1000x>' -dither None -colors 64 -strip "PNG8:$out/$name.png"; }

missing=0
for entry in "${pictures[@]}"; do
  read -r name shot crop <<<"$entry"
  if [ ! -s "$shots/$shot" ]; then
    echo "guide_images: no $shots/$shot (run the Windows tests first)" >&2
    missing=1
    continue
  fi
  if [ "$crop" = trim ]; then
    # The bare screen is black; a one-pixel border of it keeps trimming from biting
    # into a window that touches the screen's edge.
    shrink "$shots/$shot" -bordercolor black -border 1 -fuzz 2% -trim +repage
  else
    shrink "$shots/$shot" -crop "$crop" +repage
  fi
done

if command -v chromium >/dev/null 2>&1; then
  preview=$root/build/screenshots/report_preview.png
  "$root/tools/report_preview.sh" "$preview" 1400 >/dev/null
  name=virustotal-report
  shrink "$preview" -crop 1000x1400+0+0 +repage
else
  echo "guide_images: no chromium: docs/images/virustotal-report.png left as it is"
fi

du -ch "$out"/*.png | tail -1 | sed 's/^/guide_images: /'
exit "$missing"

#!/usr/bin/env bash
# The published site in a real browser: a demo tournament is published with the program itself, then headless
# Chromium checks that no page scrolls sideways at 375 and 1280 px, and that the printed players page keeps every
# player's card on one sheet.
#   check_site.sh VELTRUN_BINARY
set -euo pipefail
veltrun=$(realpath "${1:?usage: check_site.sh VELTRUN_BINARY}")
browser=$(command -v chromium || command -v chromium-browser || true)
[ -n "$browser" ] || { echo "check_site: chromium is not installed (scripts/install-deps)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
players=24
"$veltrun" --home "$work/home" --yes demo --players "$players" --rounds 5 --seed 7 --teams 4 >/dev/null 2>&1
folder=$(find "$work/home/Tourn" -mindepth 1 -maxdepth 1 -type d | head -n 1)
"$veltrun" --home "$work/home" publish "$folder" >/dev/null
site="$folder/site"

chrome() {
  timeout 120 "$browser" --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$(mktemp -d -p "$work")" "$@" 2>/dev/null
}

# One harness page loads every page in frames of both widths and writes what each frame could scroll into its own DOM.
pages=$(cd "$site" && ls ./*.html | sed 's|^\./||')
{
  echo '<!DOCTYPE html><html><head><meta charset="utf-8"><title>check</title></head><body><pre id="out"></pre><script>'
  echo "const site = 'file://$site/';"
  echo "const pages = [$(printf "'%s'," $pages)];"
  cat <<'JS'
const lines = [];
let left = pages.length * 2;
for (const width of [375, 1280])
  for (const page of pages) {
    const frame = document.createElement('iframe');
    frame.style.cssText = `width:${width}px;height:700px;border:0;display:block`;
    frame.onload = () => {
      const root = frame.contentDocument.documentElement;
      lines.push(`${width} ${root.scrollWidth} ${page}`);
      if (--left === 0) document.getElementById('out').textContent = lines.join('\n') + '\nDONE';
    };
    frame.src = site + page;
    document.body.appendChild(frame);
  }
JS
  echo '</script></body></html>'
} >"$work/harness.html"
chrome --allow-file-access-from-files --virtual-time-budget=30000 --dump-dom "file://$work/harness.html" >"$work/widths.html"
grep -q '^DONE' "$work/widths.html" || { echo "check_site: the harness did not finish" >&2; exit 1; }
grep -oE '(375|1280) [0-9]+ [^ <]+\.html' "$work/widths.html" >"$work/widths.txt" || true
checked=$(wc -l <"$work/widths.txt")
wide=$(awk '$2 > $1' "$work/widths.txt")
[ -z "$wide" ] || { printf 'check_site: pages wider than the screen (width, content width, page):\n%s\n' "$wide" >&2; exit 1; }
[ "$checked" -eq $(( $(echo "$pages" | wc -l) * 2 )) ] || { echo "check_site: only $checked frames measured" >&2; exit 1; }

# Printed: every card shows its "No. ..." line, its table heading and its performance once, all on the same sheet; a
# card split across sheets shows up as a sheet where these counts differ (the table heading repeats on the next sheet).
chrome --no-pdf-header-footer --print-to-pdf="$work/players.pdf" "file://$site/players.html"
sheets=$(pdfinfo "$work/players.pdf" | awk '/^Pages:/ {print $2}')
pdftotext -layout "$work/players.pdf" "$work/players.txt"
split=$(awk 'BEGIN { RS = "\f" }
  NF { meta = gsub(/No\. [0-9]+ +· +Rating/, "&"); head = gsub(/Rd\. +Colour +Opponent/, "&");
       perf = gsub(/(^|\n) *performance +[0-9]/, "&");
       total += meta; if (meta != head || meta != perf) printf "sheet %d: %d cards, %d headings, %d performances\n", NR, meta, head, perf }
  END { if (total != '"$players"') printf "%d cards printed\n", total }' "$work/players.txt")
[ -z "$split" ] || { printf "check_site: a player's card is split across printed sheets:\n%s\n" "$split" >&2; exit 1; }
echo "check_site: $checked frames fit their width; $players cards on $sheets printed sheets, none split"

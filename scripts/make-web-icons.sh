#!/usr/bin/env bash
# Draws the web edition's PNG icons from web/site/icon.svg with Debian's
# headless Chromium: phones and app launchers want PNGs of 192 and 512
# pixels, and a maskable one whose background fills the square (the launcher
# cuts its own shape). Run after changing icon.svg and commit the PNGs.
set -euo pipefail
cd "$(dirname "$0")/.."

site=web/site
page=$(mktemp --suffix=.html)
trap 'rm -f "$page"' EXIT

draw() { # size, output, svg text
  printf '<!doctype html><style>html,body{margin:0}svg{display:block;width:%spx;height:%spx}</style>%s' \
    "$1" "$1" "$3" >"$page"
  chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --default-background-color=00000000 \
    --force-device-scale-factor=1 --window-size="$1,$1" --screenshot="$2" "file://$page" >/dev/null 2>&1
}

svg=$(cat "$site/icon.svg")
draw 192 "$site/icon-192.png" "$svg"
draw 512 "$site/icon-512.png" "$svg"
draw 512 "$site/icon-maskable-512.png" "${svg/rx=\"14\" /}"

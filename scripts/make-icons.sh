#!/usr/bin/env bash
# Renders the PNG sizes of the application icon from its SVG. The PNGs are kept in the
# repository, so building needs no SVG renderer; run this (it needs rsvg-convert, Debian
# package librsvg2-bin) after changing the SVG and commit the result.
set -euo pipefail
cd "$(dirname "$0")/.."
icons=data/icons/hicolor
svg=$icons/scalable/apps/nl.draivo.Draivo.svg
for size in 16 22 24 32 48 64 128 256; do
  mkdir -p "$icons/${size}x${size}/apps"
  rsvg-convert --width "$size" --height "$size" "$svg" -o "$icons/${size}x${size}/apps/nl.draivo.Draivo.png"
done

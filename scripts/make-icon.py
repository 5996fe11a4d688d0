#!/usr/bin/env python3
"""Draws the application icon MAINICON: three grey character boxes above a green
double-headed arrow, on a white panel with a black outline and transparent
corners. Writes the 32 x 32 palette image (XPM) and the same picture as SVG.

    scripts/make-icon.py resources/MAINICON.xpm resources/moravin.svg
"""
import sys

SIZE = 32
PALETTE = {
    " ": "None",      # transparent corners
    "k": "#000000",   # panel outline
    "w": "#FFFFFF",   # panel
    "d": "#808080",   # character box outline
    "g": "#C0C0C0",   # character box
    "a": "#008000",   # arrow
}
PANEL = (1, 1, 30, 30)          # left, top, right, bottom (inclusive)
CORNER = 3                      # radius of the panel's rounded corners
BOXES = [(4, 5), (13, 5), (22, 5)]  # left, top of each character box
BOX_W, BOX_H = 6, 10
SHAFT = (7, 24, 21, 22)         # left, right, top, bottom of the arrow's shaft
HEAD = 4                        # length of each arrow head


def inside_panel(x, y):
    left, top, right, bottom = PANEL
    if not (left <= x <= right and top <= y <= bottom):
        return False
    cx = min(max(x, left + CORNER), right - CORNER)
    cy = min(max(y, top + CORNER), bottom - CORNER)
    return (x - cx) ** 2 + (y - cy) ** 2 <= CORNER ** 2 + 1


def pixel(x, y):
    if not inside_panel(x, y):
        return " "
    if not all(inside_panel(x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))):
        return "k"
    for bx, by in BOXES:
        if bx <= x < bx + BOX_W and by <= y < by + BOX_H:
            edge = x in (bx, bx + BOX_W - 1) or y in (by, by + BOX_H - 1)
            return "d" if edge else "g"
    left, right, top, bottom = SHAFT
    if left <= x <= right and top <= y <= bottom:
        return "a"
    for k in range(HEAD):
        if x in (left - HEAD + k, right + HEAD - k) and top - k <= y <= bottom + k:
            return "a"
    return "w"


def xpm():
    rows = ["".join(pixel(x, y) for x in range(SIZE)) for y in range(SIZE)]
    lines = ["/* XPM */", "static const char *MAINICON[] = {",
             f'"{SIZE} {SIZE} {len(PALETTE)} 1",']
    lines += [f'"{key} c {colour}",' for key, colour in PALETTE.items()]
    lines += [f'"{row}",' for row in rows]
    lines[-1] = lines[-1].rstrip(",")
    lines.append("};")
    return "\n".join(lines) + "\n"


def svg():
    left, top, right, bottom = PANEL
    parts = [f'<svg xmlns="http://www.w3.org/2000/svg" width="{SIZE}" height="{SIZE}" '
             f'viewBox="0 0 {SIZE} {SIZE}">',
             f'  <rect x="{left + 0.5}" y="{top + 0.5}" width="{right - left}" '
             f'height="{bottom - top}" rx="{CORNER}" fill="#FFFFFF" stroke="#000000"/>']
    for bx, by in BOXES:
        parts.append(f'  <rect x="{bx + 0.5}" y="{by + 0.5}" width="{BOX_W - 1}" '
                     f'height="{BOX_H - 1}" fill="#C0C0C0" stroke="#808080"/>')
    sl, sr, st, sb = SHAFT
    mid = (st + sb + 1) / 2
    half = (sb - st + 1) / 2
    parts.append(
        f'  <path d="M{sl - HEAD} {mid} L{sl} {mid - half - HEAD + 1} L{sl} {mid - half} '
        f'L{sr + 1} {mid - half} L{sr + 1} {mid - half - HEAD + 1} L{sr + 1 + HEAD} {mid} '
        f'L{sr + 1} {mid + half + HEAD - 1} L{sr + 1} {mid + half} L{sl} {mid + half} '
        f'L{sl} {mid + half + HEAD - 1} Z" fill="#008000"/>')
    parts.append("</svg>")
    return "\n".join(parts) + "\n"


if __name__ == "__main__":
    xpm_path, svg_path = sys.argv[1:3]
    with open(xpm_path, "w", encoding="ascii") as f:
        f.write(xpm())
    with open(svg_path, "w", encoding="ascii") as f:
        f.write(svg())

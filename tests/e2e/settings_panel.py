#!/usr/bin/env python3
"""Reads the highlighted values off a screenshot of the open settings panel.

    settings_panel.py SHOT   prints "SCREEN VSYNC TIMER SKIP DECISION CANCEL PAUSE SHIFT COLOR"

Each value is marked by a box with a half-white middle, which lifts even the darkest pixels
of its column (the title behind the panel and the texts on it only brighten some): the
column whose darkest tenth is brightest is the value shown.
"""
import subprocess
import sys

WIDTH, HEIGHT = 1280, 720


def main():
    raw = subprocess.run(["convert", sys.argv[1], "-colorspace", "gray", "-depth", "8", "gray:-"],
                         check=True, capture_output=True).stdout
    if len(raw) != WIDTH * HEIGHT:
        sys.exit(f"{sys.argv[1]}: not a 1280 x 720 window")

    def brightness(x, y, w, h):  # the darkest tenth of the box's middle, inside its frame
        values = sorted(v for r in range(4, h - 4)
                        for v in raw[(y + r) * WIDTH + x + 4:(y + r) * WIDTH + x + w - 4])
        return values[len(values) // 10]

    def shown(columns, x0, step, y, w):
        values = [brightness(x0 + step * k, y, w, 20) for k in range(columns)]
        return values.index(max(values))

    rows = [shown(2, 330, 188, 78, 188), shown(2, 330, 188, 130, 188),
            shown(4, 330, 188, 182, 188), shown(2, 330, 188, 234, 188)]
    rows += [shown(10, 512, 30, 390 + 52 * i, 30) for i in range(4)]
    rows.append(shown(10, 512, 30, 598, 30))
    print(" ".join(map(str, rows)))


main()

#!/usr/bin/env python3
"""Reads the well from a screenshot of a game in progress.

    well.py grid SHOT    the 28 rows of the well's ten inner columns, '#' filled, '.' empty
    well.py piece SHOT   the falling piece: "ROW COLUMN SHAPE", its top row, left column and
                         its cells relative to them ("r,c;r,c;..."), or "none"

A cell is filled when the middle of its 24 x 24 tile is bright: empty cells are near black,
the pieces' tiles are coloured. The falling piece is taken to be the cells connected to the
topmost filled cell, which holds while it has not yet reached the stack.
"""
import subprocess
import sys

LEFT, ROWS, COLUMNS, CELL = 520, 28, 10, 24


def grid_from(rgb):
    """The well from a picture given as rgb(x, y) -> (red, green, blue) in window pixels."""
    return [[max(rgb(LEFT + c * CELL + CELL // 2, r * CELL + CELL // 2)) > 100
             for c in range(COLUMNS)] for r in range(ROWS)]


def read_grid(shot):
    width, height = COLUMNS * CELL, ROWS * CELL
    raw = subprocess.run(
        ["convert", f"{shot}[{width}x{height}+{LEFT}+0]", "-depth", "8", "rgb:-"],
        check=True, capture_output=True).stdout
    if len(raw) != width * height * 3:
        sys.exit(f"{shot}: not a whole window")

    def rgb(x, y):
        at = 3 * (y * width + x - LEFT)
        return raw[at:at + 3]
    return grid_from(rgb)


def falling_piece(grid):
    top = next(((r, c) for r in range(ROWS) for c in range(COLUMNS) if grid[r][c]), None)
    if top is None:
        return None
    cells, todo = {top}, [top]
    while todo:
        r, c = todo.pop()
        for n in ((r + 1, c), (r - 1, c), (r, c + 1), (r, c - 1)):
            if 0 <= n[0] < ROWS and 0 <= n[1] < COLUMNS and grid[n[0]][n[1]] and n not in cells:
                cells.add(n)
                todo.append(n)
    row = min(r for r, _ in cells)
    column = min(c for _, c in cells)
    shape = ";".join(f"{r - row},{c - column}" for r, c in sorted(cells))
    return row, column, shape


def main():
    what, shot = sys.argv[1], sys.argv[2]
    grid = read_grid(shot)
    if what == "grid":
        for row in grid:
            print("".join("#" if filled else "." for filled in row))
    else:
        piece = falling_piece(grid)
        print("none" if piece is None else "%d %d %s" % piece)


if __name__ == "__main__":
    main()

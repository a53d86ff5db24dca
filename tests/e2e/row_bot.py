#!/usr/bin/env python3
"""Plays the real game in its window until rows are cleared, the way a player would: it
reads the well, the falling piece and the score off the window's picture, turns and steers
each piece with the arrow keys to a place chosen to fill rows, and drops it.

    row_bot.py WINDOW GLYPH_SHEET [ROWS [SECONDS]]

It starts the game from the title menu with the decision key (z).
Every piece is checked as it goes: the well after each lock must be the one the game's rules
give (the piece's cells added, full rows removed and the rows above moved down), and the
score must grow by the lock's points plus the row points (200 a row at level 1) plus one
point for each row of soft drop: from the resting piece to the next piece exactly that,
but for the rows the next piece may have come down already. Prints one line a
piece; exits 0 once ROWS rows (default 1) have been cleared and a cleared row had cells
above it, 1 on a fault, 2 when that did not happen within SECONDS (default 90).
"""
import subprocess
import sys
import time

import well
import xsession

ROWS, COLUMNS = well.ROWS, well.COLUMNS
SCORE_X, SCORE_Y = 310, 24

# The pieces' cells in their 4 x 4 box, orientations 0..3 (each the clockwise turn of the
# one before), as the game defines them.
_SHAPES = [
    ["....|11..|.11.|....", ".1..|11..|1...|...."] * 2,
    ["....|.22.|22..|....", "2...|22..|.2..|...."] * 2,
    ["....|.3..|333.|....", "....|.3..|.33.|.3..", "....|....|333.|.3..", "....|.3..|33..|.3.."],
    ["....|..4.|444.|....", "....|.4..|.4..|.44.", "....|....|444.|4...", "....|44..|.4..|.4.."],
    ["....|5...|555.|....", "....|.55.|.5..|.5..", "....|....|555.|..5.", "....|.5..|.5..|55.."],
    ["....|.66.|.66.|...."] * 4,
    [".7..|.7..|.7..|.7..", "....|....|7777|...."] * 2,
    ["....|....|.8..|...."] * 4,
]
SHAPES = [[frozenset((r, c) for r, line in enumerate(o.split("|"))
                     for c, ch in enumerate(line) if ch != ".") for o in kind] for kind in _SHAPES]
SINGLE = 7


def normal(cells):
    top, left = min(r for r, _ in cells), min(c for _, c in cells)
    return frozenset((r - top, c - left) for r, c in cells)


def placed(kind, turn, row, column):
    """The well cells of the piece with its box at (row, column) of the well's inner area."""
    return frozenset((row + r, column + c) for r, c in SHAPES[kind][turn])


def fits(stack, cells):
    return all(0 <= c < COLUMNS and r < ROWS and (r, c) not in stack for r, c in cells)


def clear_rows(cells):
    """The game's row clearing: a full row takes the rows above it one down, row 0 keeps its
    own cells. Returns the new cells and the number of rows cleared."""
    grid = [[(r, c) in cells for c in range(COLUMNS)] for r in range(ROWS)]
    cleared = 0
    for r in range(ROWS):
        if all(grid[r]):
            cleared += 1
            for above in range(r, 0, -1):
                grid[above] = list(grid[above - 1])
            if r == 0:
                grid[0] = [False] * COLUMNS
    return frozenset((r, c) for r in range(ROWS) for c in range(COLUMNS) if grid[r][c]), cleared


def judge(stack, cells):
    """How good a resting place is: rows cleared first, then low, flat and without holes."""
    after, cleared = clear_rows(stack | cells)
    heights = [0] * COLUMNS
    holes = 0
    for c in range(COLUMNS):
        column = [r for r in range(ROWS) if (r, c) in after]
        if column:
            heights[c] = ROWS - column[0]
            holes += sum(1 for r in range(column[0], ROWS) if (r, c) not in after)
    bumps = sum(abs(heights[c] - heights[c + 1]) for c in range(COLUMNS - 1))
    return 5.0 * cleared - 0.51 * sum(heights) - 3.6 * holes - 0.18 * bumps


def plan(stack, kind, row, column):
    """The best (turn, column, final cells, final row) reachable by turning where the piece
    is, moving sideways, then dropping."""
    best = None
    for turn in range(4):
        if not fits(stack, placed(kind, turn, row, column)):
            continue
        for target in range(-3, COLUMNS):
            step = 1 if target >= column else -1
            path = range(column, target + step, step)
            if not all(fits(stack, placed(kind, turn, row + 1, c)) for c in path):
                continue
            bottom = row + 1
            while fits(stack, placed(kind, turn, bottom + 1, target)):
                bottom += 1
            cells = placed(kind, turn, bottom, target)
            score = judge(stack, cells)
            if best is None or score > best[0]:
                best = (score, turn, target, cells, bottom)
    return best[1:] if best else None


class Glyphs:
    """The score's digits read from the window: each glyph is drawn from the glyph sheet at
    twice its size with a 16-pixel advance, the left one over the right one, so from the left
    each glyph's visible pixels are known."""

    def __init__(self, sheet):
        raw = subprocess.run(["convert", sheet, "-depth", "8", "rgba:-"], check=True,
                             capture_output=True).stdout
        self.texels = {}
        for ch in " 0123456789":
            code = ord(ch)
            x0, y0 = (code % 16) * 16, (code // 16 % 16) * 32
            glyph = {}
            for y in range(32):
                for x in range(16):
                    at = 4 * ((y0 + y) * 512 + x0 + x)
                    if raw[at + 3] >= 128:
                        glyph[(x, y)] = tuple(v >> 3 for v in raw[at:at + 3])
            self.texels[ch] = glyph

    def score(self, picture):
        """The score shown, or None when some cell matches no glyph (a fade, a curtain)."""
        text, left = "", {}
        for cell in range(10):
            x0 = SCORE_X + 16 * cell
            best = None
            for ch, glyph in self.texels.items():
                good = bad = 0
                for (x, y), colour in glyph.items():
                    for dx in (0, 1):
                        for dy in (0, 1):
                            px, py = 2 * x + dx, 2 * y + dy
                            if px < 16 and ((px + 16) // 2, py // 2) in left:
                                continue  # under the glyph to the left
                            seen = tuple(v >> 3 for v in picture.rgb(x0 + px, SCORE_Y + py))
                            if seen == colour:
                                good += 1
                            else:
                                bad += 1
                if bad == 0 and (best is None or good > best[1]):
                    best = (ch, good)
            if best is None:
                return None
            text += best[0]
            left = self.texels[best[0]]
        return int(text) if text.strip() else None


class Bot:
    def __init__(self, window, sheet):
        self.x = xsession.Session(window)
        self.glyphs = Glyphs(sheet)
        self.stack = frozenset()

    def look(self):
        """(well cells, picture) now."""
        picture = None
        while picture is None:
            picture = self.x.picture(SCORE_X - 10, 0, 460, ROWS * well.CELL)
        grid = well.grid_from(picture.rgb)
        return frozenset((r, c) for r in range(ROWS) for c in range(COLUMNS) if grid[r][c]), picture

    def piece(self, cells, kind=None):
        """The falling piece as (kind, turn, row, column) when the well holds the expected
        stack and one whole piece besides, else None."""
        if not self.stack <= cells:
            return None  # not yet the well expected (a lock still to come), or a fault
        own = cells - self.stack
        if not own:
            return None
        shape = normal(own)
        for k in range(8) if kind is None else (kind,):
            for turn in range(4):
                if normal(SHAPES[k][turn]) == shape:
                    box = SHAPES[k][turn]
                    row = min(r for r, _ in own) - min(r for r, _ in box)
                    column = min(c for _, c in own) - min(c for _, c in box)
                    return k, turn, row, column
        return None

    def dump(self, cells):
        return "\n".join("".join("#" if (r, c) in cells else "." for c in range(COLUMNS))
                         for r in range(ROWS) if any((r, c) in cells for c in range(COLUMNS)))

    def wait_piece(self, limit=10.0):
        """Waits for a new piece and a readable score: (kind, turn, row, column, score)."""
        end = time.time() + limit
        while time.time() < end:
            cells, picture = self.look()
            found = self.piece(cells)
            score = self.glyphs.score(picture) if found else None
            if score is not None:
                return found + (score,)
            time.sleep(0.02)
        cells, picture = self.look()
        score = self.glyphs.score(picture)
        raise SystemExit("FAIL: no new piece over the expected well (score %s); seen:\n%s\n"
                         "expected under it:\n%s" % (score, self.dump(cells), self.dump(self.stack)))

    def steer(self, kind, turn, column, limit=6.0):
        """Turns and moves the piece until it shows in that turn and column; its row."""
        end = time.time() + limit
        while time.time() < end:
            found = self.piece(self.look()[0], kind)
            if found is None:
                continue
            _, now_turn, row, now_column = found
            if normal(SHAPES[kind][now_turn]) != normal(SHAPES[kind][turn]):
                self.x.tap("Up")
            elif now_column != column:
                self.x.tap("Left" if now_column > column else "Right")
            else:
                return row
            # The next look must show this tap taken, or a tap the game has yet to show would
            # be sent again and carry the piece one column too far.
            self.settle(kind, (now_turn, now_column))
        raise SystemExit("FAIL: the piece did not reach turn %d column %d" % (turn, column))

    def settle(self, kind, before, limit=1.0):
        """Waits until the piece shows another turn or column than before (a tap the game
        refused, against a wall or the stack, shows none: then the limit ends the wait)."""
        end = time.time() + limit
        while time.time() < end:
            found = self.piece(self.look()[0], kind)
            if found is not None and (found[1], found[3]) != before:
                return
            time.sleep(0.01)

    def falling(self, seen, cells):
        """True while the well shows the stack as it was and the piece straight above its
        cells: a stack that the cleared well would fit inside then looks like a lock already
        come, with this piece as the next."""
        if not self.stack <= seen:
            return False
        own = seen - self.stack
        return any(own == frozenset((r - k, c) for r, c in cells) for k in range(1, ROWS))

    def drop(self, cells, limit=8.0):
        """Holds Down until the piece rests on its cells: the score then, before the lock, or
        None when the lock came before a picture showed the piece resting (a busy machine)."""
        locked, _ = clear_rows(self.stack | cells)
        self.x.key("Down", True)
        end = time.time() + limit
        try:
            while time.time() < end:
                seen, picture = self.look()
                if seen - self.stack == cells:
                    self.x.key("Down", False)
                    # Resting, the piece earns nothing more until it locks.
                    return self.glyphs.score(picture)
                if (locked <= seen and not self.falling(seen, cells)
                        and self.piece(seen - locked | self.stack) is not None):
                    return None
        finally:
            self.x.release_all()
        raise SystemExit("FAIL: the piece never came to rest on %s" % sorted(cells))

    def play(self, rows_wanted, seconds):
        self.x.focus()
        cleared_total = moved = 0
        end = time.time() + seconds
        # START: the decision key, again every two seconds while no piece shows (a press
        # before the menu has opened is not taken; in the game it only turns the piece).
        for _ in range(15):
            self.x.tap("z", 0.1)
            try:
                kind, turn, row, column, score = self.wait_piece(limit=2.0)
                break
            except SystemExit:
                continue
        else:
            kind, turn, row, column, score = self.wait_piece(limit=2.0)
        n = 0
        # Until the rows are cleared and some cleared row had cells above it to move down.
        while cleared_total < rows_wanted or moved == 0:
            if time.time() > end:
                print("%d row(s) cleared, %d cells moved down in %d s (%d pieces)" %
                      (cleared_total, moved, seconds, n))
                return 2
            n += 1
            chosen = plan(self.stack, kind, row, column)
            if chosen is None:
                raise SystemExit("FAIL: no place for the piece:\n" + self.dump(self.stack))
            turn, target, cells, bottom = chosen
            self.steer(kind, turn, target)
            before = self.drop(cells)
            full = self.stack | cells
            self.stack, cleared = clear_rows(full)
            if cleared:
                rows = [r for r in range(ROWS) if all((r, c) in full for c in range(COLUMNS))]
                moved += sum(1 for r, _ in full if r < rows[-1] and r not in rows)
            points = (200 if kind == SINGLE else 20) + 200 * cleared
            print("piece %d: kind %d to column %d, %d row(s) cleared, score %d -> %s -> " %
                  (n, kind, target, cleared, score, before), end="")
            fell, placed_kind = bottom - row, kind
            kind, turn, row, column, after = self.wait_piece()
            print(after, flush=True)
            # The lock's and the rows' points, and a point for each row of soft drop: of the
            # rows this piece came down, and of those the next one may have come already (it
            # spawns with its box at row 0). From the resting piece on, exactly the points.
            if not 0 <= after - score - points <= fell + row or (
                    before is not None and not 0 <= after - before - points <= row):
                raise SystemExit("FAIL: kind %d locking with %d row(s) took the score from %d "
                                 "over %s to %d" % (placed_kind, cleared, score, before, after))
            score = after
            cleared_total += cleared
        print("%d row(s) cleared by %d pieces; %d cells above them moved down" %
              (cleared_total, n, moved))
        return 0


def main():
    window, sheet = int(sys.argv[1], 0), sys.argv[2]
    rows = int(sys.argv[3]) if len(sys.argv) > 3 else 1
    seconds = float(sys.argv[4]) if len(sys.argv) > 4 else 90.0
    return Bot(window, sheet).play(rows, seconds)


if __name__ == "__main__":
    sys.exit(main())

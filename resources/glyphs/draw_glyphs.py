#!/usr/bin/env python3
"""Draws the glyph strips of the main window's flat buttons into this folder.

Every strip is on silver, the colour of its top-left and bottom-left pixels, which the button
takes as transparent. No ink pixel is silver, white is used only for highlights that may vanish
in the embossed disabled look, and no ink colour turns into the gray of silver (192) in the gray
picture. Two-cell strips carry their own disabled picture in the second cell.

Run: python3 draw_glyphs.py
"""
import os

from bmpwriter import write_bmp24

SILVER = (192, 192, 192)
COLOURS = {
    '.': SILVER,
    'k': (0, 0, 0),
    'w': (255, 255, 255),
    'g': (128, 128, 128),
    'd': (64, 64, 64),
    'r': (255, 0, 0),
    'm': (128, 0, 0),
    'y': (255, 255, 0),
    'b': (0, 0, 255),
    'n': (0, 0, 128),
    'G': (0, 128, 0),
    'l': (0, 255, 0),
    'c': (0, 128, 128),
}


class Canvas:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.rows = [[SILVER] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.rows[y][x] = colour

    def fill(self, x0, y0, x1, y1, colour):
        """Fills the rectangle with corners (x0, y0) and (x1, y1), both inclusive."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, colour)

    def outline(self, x0, y0, x1, y1, colour):
        self.fill(x0, y0, x1, y0, colour)
        self.fill(x0, y1, x1, y1, colour)
        self.fill(x0, y0, x0, y1, colour)
        self.fill(x1, y0, x1, y1, colour)

    def text(self, x0, y0, art):
        for dy, line in enumerate(art.strip('\n').split('\n')):
            for dx, ch in enumerate(line):
                if ch != ' ':
                    self.put(x0 + dx, y0 + dy, COLOURS[ch])


def mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def page(c, x0, y0, x1, y1):
    """A white sheet with a folded top-right corner and a few lines of text."""
    c.fill(x0, y0, x1, y1, COLOURS['w'])
    c.outline(x0, y0, x1, y1, COLOURS['k'])
    # the folded corner: three pixels cut off, the fold drawn in black
    for i in range(3):
        for j in range(3 - i):
            c.put(x1 - j, y0 + i, SILVER)
    c.put(x1 - 3, y0, COLOURS['k'])
    c.put(x1 - 2, y0 + 1, COLOURS['k'])
    c.put(x1 - 1, y0 + 2, COLOURS['k'])
    c.put(x1, y0 + 3, COLOURS['k'])
    c.fill(x1 - 3, y0 + 1, x1 - 3, y0 + 3, COLOURS['k'])
    c.fill(x1 - 3, y0 + 3, x1, y0 + 3, COLOURS['k'])
    for y in range(y0 + 5, y1 - 1, 2):
        c.fill(x0 + 2, y, x1 - 2, y, COLOURS['n'])


def disabled_cell(cell):
    """The classic disabled look: the ink in gray over a white copy one pixel down and right."""
    width, height = len(cell[0]), len(cell)
    background = cell[0][0]
    ink = [[p != background and p != COLOURS['w'] for p in row] for row in cell]
    out = Canvas(width, height)
    for y in range(height):
        for x in range(width):
            if ink[y][x]:
                out.put(x + 1, y + 1, COLOURS['w'])
    for y in range(height):
        for x in range(width):
            if ink[y][x]:
                out.put(x, y, COLOURS['g'])
    return out.rows


def join(*cells):
    return [sum((cell[y] for cell in cells), []) for y in range(len(cells[0]))]


def tb_inv():
    c = Canvas(19, 21)
    # upper arrow to the right, lower arrow to the left
    c.fill(3, 4, 15, 4, COLOURS['k'])
    c.text(13, 2, 'k\nkk\n   \nkk\nk')
    c.fill(3, 18, 15, 18, COLOURS['k'])
    c.text(4, 16, ' k\nkk\n\nkk\n k')
    # the two colours that change places
    c.fill(1, 8, 7, 14, COLOURS['r'])
    c.outline(1, 8, 7, 14, COLOURS['k'])
    c.fill(11, 8, 17, 14, COLOURS['b'])
    c.outline(11, 8, 17, 14, COLOURS['k'])
    return c.rows


def tb_mirror():
    c = Canvas(23, 21)
    red, yellow = COLOURS['r'], COLOURS['y']
    for x in range(2, 21):
        colour = mix(yellow, red, abs(x - 11) / 9)
        c.fill(x, 7, x, 13, colour)
    c.outline(1, 6, 21, 14, COLOURS['k'])
    # the fold: a dotted axis through the middle, with arrows pointing out from it
    for y in range(1, 20, 2):
        c.put(11, y, COLOURS['k'])
    for y in (3, 17):
        c.fill(2, y, 9, y, COLOURS['k'])
        c.text(2, y - 2, '  k\n kk\n\n kk\n  k')
        c.fill(13, y, 20, y, COLOURS['k'])
        c.text(18, y - 2, 'k\nkk\n\nkk\nk')
    return c.rows


def tb_trico():
    c = Canvas(23, 21)
    red, lime, blue = COLOURS['r'], COLOURS['l'], COLOURS['b']
    for x in range(2, 21):
        t = (x - 2) / 18
        colour = mix(red, lime, t * 2) if t <= 0.5 else mix(lime, blue, t * 2 - 1)
        c.fill(x, 3, x, 10, colour)
    c.outline(1, 2, 21, 11, COLOURS['k'])
    for x0, colour in ((1, red), (9, lime), (17, blue)):
        c.fill(x0, 14, x0 + 4, 18, colour)
        c.outline(x0, 14, x0 + 4, 18, COLOURS['k'])
    return c.rows


def tb_copy():
    c = Canvas(18, 18)
    page(c, 1, 1, 10, 13)
    page(c, 6, 4, 16, 16)
    return join(c.rows, disabled_cell(c.rows))


def tb_save():
    c = Canvas(20, 20)
    c.fill(2, 2, 17, 17, COLOURS['n'])
    c.outline(2, 2, 17, 17, COLOURS['k'])
    c.put(17, 2, SILVER)  # the cut corner
    c.put(16, 3, COLOURS['k'])
    # the label, with a few written lines
    c.fill(5, 3, 14, 9, COLOURS['w'])
    c.outline(5, 3, 14, 9, COLOURS['k'])
    c.fill(7, 5, 12, 5, COLOURS['r'])
    c.fill(7, 7, 12, 7, COLOURS['n'])
    # the metal shutter with its window
    c.fill(6, 12, 14, 17, COLOURS['g'])
    c.outline(6, 12, 14, 17, COLOURS['k'])
    c.fill(11, 13, 12, 16, COLOURS['n'])
    return join(c.rows, disabled_cell(c.rows))


def tb_option():
    c = Canvas(19, 18)
    for i, y0 in enumerate((1, 7, 13)):
        c.fill(1, y0, 5, y0 + 4, COLOURS['w'])
        c.outline(1, y0, 5, y0 + 4, COLOURS['k'])
        c.fill(8, y0 + 1, 17, y0 + 2, COLOURS['n'] if i != 1 else COLOURS['g'])
        if i != 1:
            # a tick that runs out over the box's top-right corner
            c.text(2, y0 - 1, """
     r
    rr
r  rr
rrrr
 rr""")
    return c.rows


def tb_bold():
    c = Canvas(16, 16)
    c.text(2, 2, '''
kkkkkkkk
 kkk  kkk
 kkk  kkk
 kkk  kkk
 kkk kkk
 kkkkkk
 kkk  kkk
 kkk   kkk
 kkk   kkk
 kkk   kkk
 kkk  kkk
kkkkkkkk''')
    return c.rows


def tb_italic():
    c = Canvas(16, 16)
    c.text(3, 2, '''
    kkkkkk
      kk
      kk
     kk
     kk
    kk
    kk
   kk
   kk
  kk
  kk
kkkkkk''')
    return c.rows


def tb_under():
    c = Canvas(16, 16)
    c.text(2, 1, '''
kkkk   kkkk
 kk     kk
 kk     kk
 kk     kk
 kk     kk
 kk     kk
 kk     kk
 kk     kk
 kkk   kkk
  kkkkkkk
   kkkkk''')
    c.fill(1, 13, 13, 14, COLOURS['r'])
    return c.rows


def tb_strike():
    c = Canvas(16, 16)
    c.text(3, 2, '''
  kkkkk k
 kk   kkk
kk     kk
kk      k
 kkk
   kkkkk
        kk
k        kk
kk       kk
kkk     kk
k kkkkkkk''')
    c.fill(1, 7, 14, 8, COLOURS['r'])
    return c.rows


STRIPS = {
    'TbInv': (tb_inv, 19, 21),
    'TbMirror': (tb_mirror, 23, 21),
    'TbTriCo': (tb_trico, 23, 21),
    'TbCopy': (tb_copy, 36, 18),
    'TbSave': (tb_save, 40, 20),
    'TbOption': (tb_option, 19, 18),
    'TbBold': (tb_bold, 16, 16),
    'TbItalic': (tb_italic, 16, 16),
    'TbUnder': (tb_under, 16, 16),
    'TbStrike': (tb_strike, 16, 16),
}


def gray_of(p):
    return (11 * p[0] + 59 * p[1] + 30 * p[2]) // 100


def check(name, rows, width, height):
    assert (len(rows[0]), len(rows)) == (width, height), name
    assert rows[0][0] == SILVER and rows[-1][0] == SILVER, name
    for row in rows:
        for p in row:
            if p != SILVER:
                assert gray_of(p) != 192, (name, p)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for name, (draw, width, height) in STRIPS.items():
        rows = draw()
        check(name, rows, width, height)
        write_bmp24(os.path.join(here, name + '.bmp'), rows)


if __name__ == '__main__':
    main()

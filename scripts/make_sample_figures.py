#!/usr/bin/env python3
"""Draws the bitmaps of the bundled sample course and the class flag.

The figures are plain worksheet drawings (number lines, thermometers, a table),
so they are described here as ImageMagick drawing commands and written as
uncompressed 4-bit BMP files, the kind every course folder carries.

Usage: scripts/make_sample_figures.py   (run from anywhere; needs `convert`)
"""

import math
import pathlib
import subprocess

ROOT = pathlib.Path(__file__).resolve().parent.parent
COURSE = ROOT / "courses" / "sample"
GOTHIC = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"
MINCHO = "/usr/share/fonts/opentype/ipafont-mincho/ipam.ttf"

RED = "#d01010"
BLUE = "#1030c0"


class Drawing:
    """Collects drawing commands for one bitmap."""

    def __init__(self, width, height, background="white"):
        self.width = width
        self.height = height
        self.background = background
        self.args = []

    def line(self, x1, y1, x2, y2, colour="black", width=1):
        self.args += ["-stroke", colour, "-strokewidth", str(width), "-fill", "none",
                      "-draw", f"line {x1:.1f},{y1:.1f} {x2:.1f},{y2:.1f}"]

    def rect(self, x1, y1, x2, y2, fill="none", stroke="black", width=1):
        self.args += ["-stroke", stroke, "-strokewidth", str(width), "-fill", fill,
                      "-draw", f"rectangle {x1:.1f},{y1:.1f} {x2:.1f},{y2:.1f}"]

    def polygon(self, points, fill="black", stroke="black", width=1):
        text = " ".join(f"{x:.1f},{y:.1f}" for x, y in points)
        self.args += ["-stroke", stroke, "-strokewidth", str(width), "-fill", fill,
                      "-draw", f"polygon {text}"]

    def circle(self, cx, cy, r, fill="black", stroke="black", width=1):
        self.args += ["-stroke", stroke, "-strokewidth", str(width), "-fill", fill,
                      "-draw", f"circle {cx:.1f},{cy:.1f} {cx + r:.1f},{cy:.1f}"]

    def text(self, x, y, text, size=13, colour="black", font=GOTHIC, anchor="center"):
        """Draws text whose baseline is y; anchor picks which end of it sits at x."""
        gravity = {"center": "North", "left": "NorthWest", "right": "NorthEast"}[anchor]
        # With gravity the offsets are relative to that edge; text placed at the
        # top edge is shifted down so that y stays the baseline.
        if anchor == "center":
            dx = x - self.width / 2
        elif anchor == "left":
            dx = x
        else:
            dx = self.width - x
        dy = y - size * 1.05
        escaped = text.replace("'", "\\'")
        self.args += ["-stroke", "none", "-fill", colour, "-font", font, "-pointsize", str(size),
                      "-gravity", gravity, "-draw", f"text {dx:+.1f},{dy:+.1f} '{escaped}'",
                      "-gravity", "NorthWest"]

    def arrow(self, x1, y, x2, colour="black", width=2):
        """A horizontal arrow from x1 to x2 with its head at x2."""
        direction = 1 if x2 > x1 else -1
        self.line(x1, y, x2 - direction * 6, y, colour, width)
        self.polygon([(x2, y), (x2 - direction * 9, y - 5), (x2 - direction * 9, y + 5)],
                     fill=colour, stroke=colour)

    def save(self, path):
        path.parent.mkdir(parents=True, exist_ok=True)
        command = ["convert", "-size", f"{self.width}x{self.height}", f"xc:{self.background}"]
        command += self.args
        # 16 colours are plenty for line drawings and keep the files small (4-bit).
        command += ["+dither", "-type", "Palette", "-colors", "16", "-compress", "None", f"BMP3:{path}"]
        subprocess.run(command, check=True)
        print(f"{path.relative_to(ROOT)}: {path.stat().st_size} bytes")


def number_text(value):
    """How a number line labels a value: integers plain, negatives with a minus."""
    if value == int(value):
        return str(int(value))
    return f"{value:g}"


class NumberLine:
    """A horizontal number line with whole-number labels and optional half ticks."""

    def __init__(self, drawing, y, low, high, left=30, right=30, halves=True, labels=True):
        self.d = drawing
        self.y = y
        self.low = low
        self.high = high
        self.x0 = left
        self.unit = (drawing.width - left - right) / (high - low)
        d = drawing
        d.arrow(left - 18, y, drawing.width - 6, width=2)
        for v in range(low, high + 1):
            x = self.x(v)
            d.line(x, y - 6, x, y + 6, width=2 if v == 0 else 1)
            if labels:
                d.text(x, y + 22, number_text(v), size=12)
            if halves and v < high:
                xh = self.x(v + 0.5)
                d.line(xh, y - 3, xh, y + 3)

    def x(self, value):
        return self.x0 + (value - self.low) * self.unit

    def point(self, value, name, answer=False):
        x = self.x(value)
        self.d.circle(x, self.y, 4, fill=BLUE, stroke=BLUE)
        self.d.text(x, self.y - 12, name, size=13, colour=BLUE)
        if answer:
            # The value goes above the letter so that the axis labels stay readable.
            self.d.text(x, self.y - 30, number_text(value) if value <= 0 else "+" +
                        number_text(value), size=13, colour=RED)


def numline_points(name, low, high, points, answer):
    d = Drawing(500, 80)
    line = NumberLine(d, 48, low, high)
    for letter, value in points:
        line.point(value, letter, answer)
    return d


def addition_line():
    """(+3)+(-5) on the number line: go 3 to the right, then 5 to the left."""
    d = Drawing(480, 96)
    line = NumberLine(d, 66, -5, 5, halves=False)
    d.arrow(line.x(0), 48, line.x(3), colour=BLUE)
    d.text((line.x(0) + line.x(3)) / 2, 42, "+3", size=13, colour=BLUE)
    d.line(line.x(3), 24, line.x(3), 48, colour=RED)
    d.arrow(line.x(3), 24, line.x(-2), colour=RED)
    d.text((line.x(3) + line.x(-2)) / 2, 18, "-5", size=13, colour=RED)
    d.line(line.x(-2), 26, line.x(-2), 62, colour=RED)
    d.circle(line.x(-2), 66, 4, fill=RED, stroke=RED)
    return d


def thermometers():
    """Four thermometers A to D reading +6, -3, 0 and -8 degrees."""
    readings = [("A", 6), ("B", -3), ("C", 0), ("D", -8)]
    d = Drawing(248, 272)
    top, per_degree = 32, 9
    zero = top + 10 * per_degree
    d.text(4, 14, "単位は℃", size=12, anchor="left")
    for i, (name, value) in enumerate(readings):
        cx = 40 + i * 58
        y_of = lambda t: zero - t * per_degree  # noqa: E731
        d.rect(cx - 5, top - 4, cx + 5, zero + 10 * per_degree + 4, fill="white", width=1)
        d.rect(cx - 4, y_of(value), cx + 4, zero + 10 * per_degree + 6, fill=RED, stroke=RED)
        d.circle(cx, zero + 10 * per_degree + 14, 9, fill=RED, stroke="black")
        for t in range(-10, 11):
            length = 8 if t % 5 == 0 else 4
            d.line(cx + 5, y_of(t), cx + 5 + length, y_of(t), width=2 if t == 0 else 1)
            if t % 5 == 0:
                d.text(cx + 16, y_of(t) + 4, number_text(t), size=10, anchor="left")
        d.text(cx, 268, name, size=15, colour=BLUE)
    return d


def difference_table():
    """Heights of five pupils as differences from 150 cm."""
    d = Drawing(434, 62)
    names = ["Ａ", "Ｂ", "Ｃ", "Ｄ", "Ｅ"]
    values = ["+4", "-3", "+7", "-6", "+3"]
    first, cell, row = 130, 60, 28
    d.rect(2, 2, first + 5 * cell, 2 + 2 * row, fill="white", width=2)
    d.line(2, 2 + row, first + 5 * cell, 2 + row)
    d.rect(3, 3, first, 1 + row, fill="#e8eef8", stroke="#e8eef8")
    for i in range(6):
        x = first + i * cell
        d.line(x, 2, x, 2 + 2 * row, width=2 if i == 0 else 1)
    d.text(first / 2, 2 + row - 8, "生徒", size=14)
    d.text(first / 2, 2 + 2 * row - 8, "基準との差(cm)", size=13)
    for i in range(5):
        cx = first + i * cell + cell / 2
        d.text(cx, 2 + row - 8, names[i], size=14)
        d.text(cx, 2 + 2 * row - 8, values[i], size=14)
    return d


def title_picture():
    d = Drawing(360, 240, background="#f4f8ff")
    d.rect(6, 6, 353, 233, fill="none", stroke="#3050a0", width=3)
    d.text(180, 46, "数学問題集１", size=20, colour="#3050a0", font=MINCHO)
    d.text(180, 100, "正と負の数", size=40, colour="black", font=MINCHO)
    line = NumberLine(d, 170, -4, 4, left=40, right=40, halves=False)
    line.d.circle(line.x(-3), 170, 6, fill=BLUE, stroke=BLUE)
    line.d.circle(line.x(2), 170, 6, fill=RED, stroke=RED)
    d.text(line.x(-3), 155, "負の数", size=13, colour=BLUE)
    d.text(line.x(2), 155, "正の数", size=13, colour=RED)
    d.text(180, 222, "Tavolo++", size=14, colour="#3050a0")
    return d


def class_flag():
    """Our class flag: a sky-blue field, a white band and a yellow star."""
    d = Drawing(56, 40, background="#3a7fd0")
    d.rect(0, 0, 55, 39, fill="none", stroke="#123a70", width=2)
    d.polygon([(0, 28), (56, 12), (56, 20), (0, 36)], fill="white", stroke="white")
    cx, cy, outer, inner = 16, 14, 10, 4
    star = []
    for k in range(10):
        r = outer if k % 2 == 0 else inner
        angle = -math.pi / 2 + k * math.pi / 5
        star.append((cx + r * math.cos(angle), cy + r * math.sin(angle)))
    d.polygon(star, fill="#ffd21f", stroke="#c89a00")
    d.text(40, 16, "1", size=14, colour="white", font=GOTHIC)
    return d


def main():
    seifu = COURSE / "seifu" / "Graph"
    matome = COURSE / "matome" / "Graph"
    points1 = [("A", -4), ("B", -1.5), ("C", 2), ("D", 3.5)]
    numline_points("numline1", -5, 5, points1, False).save(seifu / "numline1.bmp")
    numline_points("numline1a", -5, 5, points1, True).save(seifu / "numline1a.bmp")
    addition_line().save(seifu / "kahou.bmp")
    thermometers().save(seifu / "ondokei.bmp")
    difference_table().save(seifu / "kijun.bmp")
    points3 = [("A", -2.5), ("B", -1), ("C", 0.5), ("D", 2)]
    numline_points("numline3", -3, 3, points3, False).save(matome / "numline3.bmp")
    numline_points("numline3a", -3, 3, points3, True).save(matome / "numline3a.bmp")
    title_picture().save(COURSE / "Title.BMP")
    class_flag().save(ROOT / "resources" / "classFlag.bmp")


if __name__ == "__main__":
    main()

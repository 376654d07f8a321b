#!/usr/bin/python3
"""The name plate's edges measured without the edge finder: the reference
of the demo test.

For each image column of a vertical cut, the plate's top and bottom edges
are where the gray value crosses halfway between the background's level
(the median of rows 0-9 and 50-59, dark uniform) and the plate's (the
median of the rows between the edges), found by linear interpolation
between the two pixels that straddle that level. The cut's result is the
mean over its columns. Reads name_plate.pgm with nothing but the standard
library.
"""
import statistics


def read_pgm(path):
    with open(path, "rb") as f:
        data = f.read()
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    width, height = int(fields[1]), int(fields[2])
    raster = data[pos + 1:]
    return [list(raster[y * width:(y + 1) * width]) for y in range(height)]


def crossing(column, first, last, level):
    """Sub-pixel row where the values cross level between rows first..last."""
    for y in range(first, last):
        a, b = column[y], column[y + 1]
        if (a - level) * (b - level) <= 0 and a != b:
            return y + (level - a) / (b - a)
    raise ValueError("no crossing")


def plate_edges(rows, x):
    column = [row[x] for row in rows]
    dark = statistics.median(column[0:10] + column[50:60])
    # The plate's rows: those well above the dark level around the middle.
    light = statistics.median(column[20:40])
    level = (dark + light) / 2
    return crossing(column, 10, 25, level), crossing(column, 35, 50, level)


rows = read_pgm("name_plate.pgm")
for centre in (50, 75):
    tops, bottoms = zip(*(plate_edges(rows, x) for x in range(centre - 1, centre + 2)))
    top, bottom = sum(tops) / 3, sum(bottoms) / 3
    print(f"columns {centre - 1}-{centre + 1}: top {top:.3f}, bottom {bottom:.3f}, "
          f"height {bottom - top:.3f}")

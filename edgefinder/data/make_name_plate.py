#!/usr/bin/python3
"""Cuts the name-plate crop out of matplotlib's sample photograph.

Source: /usr/share/matplotlib/mpl-data/sample_data/grace_hopper.jpg of the
Debian package python-matplotlib-data (see NOTICE). Writes name_plate.png
(the colour crop, as it is in the photograph) and name_plate.pgm (its gray
values by the luma weights 0.299 R + 0.587 G + 0.114 B, rounded half up,
the conversion the edge finder applies). Needs python3-pil; run by hand,
not by the build.
"""
from PIL import Image

SOURCE = "/usr/share/matplotlib/mpl-data/sample_data/grace_hopper.jpg"
BOX = (56, 470, 200, 530)  # left, top, right, bottom in the photograph

crop = Image.open(SOURCE).convert("RGB").crop(BOX)
crop.save("name_plate.png", optimize=True)
width, height = crop.size
pixels = crop.load()
gray = bytes(int(0.299 * r + 0.587 * g + 0.114 * b + 0.5)
             for y in range(height) for x in range(width)
             for (r, g, b) in [pixels[x, y]])
with open("name_plate.pgm", "wb") as out:
    out.write(b"P5\n# name plate, cut from grace_hopper.jpg (python-matplotlib-data)\n")
    out.write(b"%d %d\n255\n" % (width, height))
    out.write(gray)

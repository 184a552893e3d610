#!/usr/bin/env python3
"""Writes hand.png: the button's hand pointer, 32x32 RGBA, with its hot spot
(the fingertip) stored in the PNG text chunks "HotspotX" and "HotspotY".
Run once from this folder; the PNG is committed."""
import struct
import zlib

# 'X' outline, '.' fill, '*' hot spot (outline pixel at the fingertip), ' ' clear.
ART = """
      *X
     X..X
     X..X
     X..X
     X..X
     X..XXX
     X..X..XXX
     X..X..X..XX
     X..X..X..X.X
 XXX X..X..X..X..X
 X..XX...........X
 X...X...........X
  X..............X
   X.............X
   X............X
    X...........X
    X..........X
     X.........X
     X........X
      X.......X
      XXXXXXXXX
"""
OX, OY = 4, 2  # where the drawing sits in the 32x32 image

rows = ART.strip("\n").split("\n")
pixels = [[(0, 0, 0, 0)] * 32 for _ in range(32)]
hot = None
for y, row in enumerate(rows):
    for x, ch in enumerate(row):
        if ch in "X*":
            pixels[OY + y][OX + x] = (0, 0, 0, 255)
        elif ch == ".":
            pixels[OY + y][OX + x] = (255, 255, 255, 255)
        if ch == "*":
            hot = (OX + x, OY + y)


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


raw = b"".join(b"\x00" + bytes(c for p in row for c in p) for row in pixels)
png = b"\x89PNG\r\n\x1a\n"
png += chunk(b"IHDR", struct.pack(">IIBBBBB", 32, 32, 8, 6, 0, 0, 0))
png += chunk(b"tEXt", b"HotspotX\x00" + str(hot[0]).encode())
png += chunk(b"tEXt", b"HotspotY\x00" + str(hot[1]).encode())
png += chunk(b"IDAT", zlib.compress(raw, 9))
png += chunk(b"IEND", b"")
with open("hand.png", "wb") as f:
    f.write(png)
print("hand.png, hot spot", hot)

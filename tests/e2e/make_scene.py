#!/usr/bin/env python3
"""Writes a small scene for the end-to-end tests, byte by byte in the scene-file format: a
fountain of particles thrown up from a point, drawn with a soft round sprite that is written
beside it as a 32-bit Targa file. Deterministic: the same bytes on every run.

usage: make_scene.py OUT_DIR   (writes OUT_DIR/fountain-demo.psf and OUT_DIR/spark.tga)
"""

import argparse
import math
import os
import struct
import sys

SPRITE = "spark.tga"
SPRITE_SIZE = 32


def tag(name):
    # Tags are stored little-endian with the first character in the most significant byte.
    return name[::-1].encode("ascii")


def f32(*values):
    return b"".join(struct.pack("<f", v) for v in values)


def i32(*values):
    return b"".join(struct.pack("<i", v) for v in values)


def emitter():
    body = f32(0.0, -18.0, 0.0)        # origin
    body += f32(0.0, 0.0, 0.0)         # axisA
    body += f32(0.0, 0.0, 0.0)         # axisB
    body += f32(0.0, 0.45, 0.0)        # velocity
    body += f32(0.0, 0.0, 0.0)         # particleAux
    body += i32(24)                    # rate
    body += f32(1.0)                   # spread
    body += f32(1.0)                   # radius
    body += f32(0.0, 0.0)              # orbitAngle, orbitAngleVar
    body += f32(0.3, 0.12)             # speed, speedVar
    body += f32(0.0, 0.0)              # orbitRadius, orbitRadiusVar
    body += i32(140)                   # life
    colours = [((1.0, 0.95, 0.7, 0.9), 100), ((1.0, 0.5, 0.15, 0.7), 60), ((0.6, 0.2, 0.9, 0.5), 25),
               ((0.1, 0.1, 0.6, 0.0), 0)]
    body += i32(128, len(colours))
    for rgba, percent in colours:
        body += f32(*rgba) + i32(percent)
    sizes = [(0.9, 100), (0.6, 50), (0.25, 0)]
    body += i32(128, len(sizes))
    for value, percent in sizes:
        body += f32(value) + i32(percent)
    body += i32(1)                     # shape: Point
    return tag("EMIT") + body


def scene():
    body = i32(3600)                   # maxParticles
    body += emitter()
    body += i32(0)                     # no shapes
    body += i32(0)                     # no modifiers
    body += tag("ITGA") + SPRITE.encode("ascii") + b"\0"
    return tag("PSHD") + tag("PSYS") + body


def sprite():
    """A white disc that fades to transparent towards its rim; alpha carries the shape."""
    header = bytes([0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0]) + struct.pack("<HHBB", SPRITE_SIZE, SPRITE_SIZE, 32, 8)
    pixels = bytearray()
    centre = (SPRITE_SIZE - 1) / 2.0
    for y in range(SPRITE_SIZE):
        for x in range(SPRITE_SIZE):
            r = math.hypot(x - centre, y - centre) / centre
            alpha = max(0.0, 1.0 - r) ** 1.5
            a = int(round(alpha * 255))
            pixels += bytes([255, 255, 255, a])
    return header + bytes(pixels)


def main():
    # argparse, so that "--help" prints the usage rather than becoming a folder of that name.
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("out_dir", help="folder to write fountain-demo.psf and spark.tga into")
    out = parser.parse_args().out_dir
    os.makedirs(out, exist_ok=True)
    with open(os.path.join(out, "fountain-demo.psf"), "wb") as f:
        f.write(scene())
    with open(os.path.join(out, SPRITE), "wb") as f:
        f.write(sprite())
    return 0


if __name__ == "__main__":
    sys.exit(main())

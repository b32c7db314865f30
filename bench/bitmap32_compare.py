#!/usr/bin/python3
"""Pillow's times for the resizes that bench_bitmap32 measures (RGBA, one thread)."""
import os
import time

from PIL import Image


def best_ms(fn, repeat=15):
    best = float("inf")
    for _ in range(repeat):
        t = time.perf_counter()
        fn()
        best = min(best, time.perf_counter() - t)
    return best * 1000


small = Image.frombytes("RGBA", (640, 480), os.urandom(640 * 480 * 4))
big = Image.frombytes("RGBA", (1600, 1200), os.urandom(1600 * 1200 * 4))
for name, f in (("lanczos", Image.LANCZOS), ("bicubic", Image.BICUBIC), ("bilinear", Image.BILINEAR)):
    print(f"pillow {name:8} 640x480->1600x1200 {best_ms(lambda: small.resize((1600, 1200), f)):7.2f} ms")
    print(f"pillow {name:8} 1600x1200->640x480 {best_ms(lambda: big.resize((640, 480), f)):7.2f} ms")

"""Writes 33 small stand-in skins, skin01.she .. skin33.she, into the folder
given: the catalogue's header (".SHE", 00 03) and bytes that differ per skin."""
import os
import sys

out = sys.argv[1]
os.makedirs(out, exist_ok=True)
for n in range(1, 34):
    body = bytes((i * n + 7) & 0xFF for i in range(100 + 37 * n))
    with open(os.path.join(out, f"skin{n:02d}.she"), "wb") as f:
        f.write(b".SHE\x00\x03" + body)

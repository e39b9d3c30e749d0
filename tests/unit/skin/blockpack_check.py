"""Runs blockpack on a few files and checks the run it writes byte by byte,
and that a failed pack leaves no output behind."""
import os
import struct
import subprocess
import sys
import tempfile

blockpack = sys.argv[1]
with tempfile.TemporaryDirectory() as d:
    payloads = [b".SHE\x00\x03abc", b"", bytes(range(256)) * 300]
    inputs = []
    for i, p in enumerate(payloads):
        path = os.path.join(d, f"in{i}")
        with open(path, "wb") as f:
            f.write(p)
        inputs.append(path)

    out = os.path.join(d, "run.blocks")
    subprocess.run([blockpack, out, *inputs], check=True)
    expected = b"".join(struct.pack("<II", 1, len(p)) + p for p in payloads)
    with open(out, "rb") as f:
        assert f.read() == expected, "packed run differs"

    empty = os.path.join(d, "empty.blocks")
    subprocess.run([blockpack, empty], check=True)
    assert os.path.getsize(empty) == 0, "no inputs must give an empty run"

    failed = os.path.join(d, "failed.blocks")
    r = subprocess.run([blockpack, failed, inputs[0], os.path.join(d, "missing")])
    assert r.returncode != 0, "a missing input must fail the pack"
    assert os.listdir(d).count("failed.blocks") == 0, "a failed pack must leave no output"
    assert not any(n.endswith(".partial") for n in os.listdir(d)), "a failed pack must leave no partial file"
print("blockpack: ok")

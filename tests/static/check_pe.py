#!/usr/bin/env python3
"""Checks built Windows binaries as files, without running them: processor,
subsystem, the DLLs they need, resources and exports. Used where the build
host cannot execute the binaries (a 32-bit build on a 64-bit-only host)."""
import argparse
import re
import struct
import subprocess
import sys

SYSTEM_DLLS = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll", "ole32.dll", "oleaut32.dll",
    "comctl32.dll", "msvcrt.dll", "uxtheme.dll", "shlwapi.dll", "ws2_32.dll", "version.dll", "comdlg32.dll",
    "msimg32.dll", "dwmapi.dll", "api-ms-win-crt-runtime-l1-1-0.dll",
}


def objdump(objdump_tool, path, *flags):
    return subprocess.run([objdump_tool, *flags, path], check=True, capture_output=True, text=True).stdout


def pe_header(path):
    data = open(path, "rb").read()
    offset = struct.unpack_from("<I", data, 0x3C)[0]
    assert data[offset:offset + 4] == b"PE\0\0", "not a PE file"
    machine = struct.unpack_from("<H", data, offset + 4)[0]
    optional = offset + 24
    subsystem = struct.unpack_from("<H", data, optional + 68)[0]
    return data, machine, subsystem


def fail(message):
    print("FAIL:", message)
    return 1


def check_common(args, path, data, machine):
    errors = 0
    if machine != 0x14C:
        errors += fail(f"{path}: machine 0x{machine:x}, expected i386 (0x14c)")
    imports = {m.lower() for m in re.findall(r"DLL Name: (\S+)", objdump(args.objdump, path, "-p"))}
    foreign = imports - SYSTEM_DLLS
    if foreign:
        errors += fail(f"{path}: needs non-system DLLs {sorted(foreign)}")
    for runtime in ("libstdc++", "libgcc", "libwinpthread"):
        if runtime.encode() in data and any(runtime in i for i in imports):
            errors += fail(f"{path}: imports {runtime}")
    return errors


def check_exe(args):
    data, machine, subsystem = pe_header(args.exe)
    errors = check_common(args, args.exe, data, machine)
    if subsystem != 2:
        errors += fail(f"exe subsystem {subsystem}, expected Windows GUI (2)")
    text = data.decode("latin-1")
    manifest = re.search(r"<assembly.*?</assembly>", text, re.S)
    if not manifest:
        errors += fail("exe carries no manifest")
    else:
        m = manifest.group(0)
        for needle in ('name="Microsoft.Windows.Common-Controls"', 'version="6.0.0.0"',
                       'processorArchitecture="x86"', 'level="asInvoker"'):
            if needle not in m:
                errors += fail(f"manifest lacks {needle}")
    if "DEFAULT_ICON".encode("utf-16-le") not in data:
        errors += fail("exe has no resource named DEFAULT_ICON")
    if "VS_VERSION_INFO".encode("utf-16-le") not in data:
        errors += fail("exe has no version resource")
    return errors


def check_dll(args):
    data, machine, _ = pe_header(args.dll)
    errors = check_common(args, args.dll, data, machine)
    size = len(data)
    if size > args.dll_max_size:
        errors += fail(f"{args.dll}: {size} bytes, more than {args.dll_max_size}")
    dump = objdump(args.objdump, args.dll, "-p")
    table = dump.split("[Ordinal/Name Pointer] Table", 1)
    # The name table runs up to the first blank line.
    names = re.findall(r"\[\s*\d+\]\s+(\S+)", table[1].strip("\n").split("\n\n", 1)[0]) if len(table) > 1 else []
    if len(names) != args.exports:
        errors += fail(f"{args.dll}: {len(names)} exports, expected {args.exports}: {names}")
    bad = [n for n in names if not n.startswith("SkinH_") or "@" in n]
    if bad:
        errors += fail(f"{args.dll}: exports not named SkinH_... without decoration: {bad}")
    if "SkinH_AttachRes" not in names:
        errors += fail(f"{args.dll}: no SkinH_AttachRes")
    if f"Name {args.dll_name}" not in dump and f"Name: {args.dll_name}" not in dump and args.dll_name not in dump:
        errors += fail(f"{args.dll}: export directory does not name {args.dll_name}")
    print(f"{args.dll}: {size} bytes, {len(names)} exports")
    return errors


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--objdump", required=True)
    p.add_argument("--exe")
    p.add_argument("--dll")
    p.add_argument("--dll-name", default="SkinH_EL.dll")
    p.add_argument("--dll-max-size", type=int, default=88576)
    p.add_argument("--exports", type=int, default=23)
    args = p.parse_args()
    errors = 0
    if args.exe:
        errors += check_exe(args)
    if args.dll:
        errors += check_dll(args)
    if errors == 0:
        print("all checks passed")
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())

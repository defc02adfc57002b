#!/usr/bin/env python3
"""Installs the build into a temporary prefix and checks what a user gets.

Usage: check_install_tree.py CMAKE BUILD_DIR EXAMPLES_DIR BUILT_CLI [--with-desktop-program]
"""

import os
import struct
import subprocess
import sys
import tempfile

ICON_SIZES = (16, 24, 32, 48, 64, 128, 256)
ENGLISH = 1


def expected_files(with_desktop_program):
    files = ["bin/quillmere-cli", "bin/translate.dat", "share/man/man1/quillmere-cli.1",
             "share/doc/quillmere/README.md", "share/doc/quillmere/LICENSE"]
    if with_desktop_program:
        files += ["bin/quillmere", "share/man/man1/quillmere.1",
                  "share/applications/quillmere.desktop",
                  "share/icons/hicolor/scalable/apps/quillmere.svg"]
        files += [f"share/icons/hicolor/{size}x{size}/apps/quillmere.png" for size in ICON_SIZES]
    return files


def png_size(path):
    with open(path, "rb") as png:
        header = png.read(24)
    if header[:8] != b"\x89PNG\r\n\x1a\n":
        return None
    return struct.unpack(">II", header[16:24])


def desktop_entry(path):
    entry = {}
    with open(path, encoding="utf-8") as desktop:
        for line in desktop:
            key, equals, value = line.rstrip("\n").partition("=")
            if equals:
                entry[key] = value
    return entry


def check_tree(prefix, with_desktop_program):
    faults = [f"missing: {name}" for name in expected_files(with_desktop_program)
              if not os.path.isfile(os.path.join(prefix, name))]
    for program in ("quillmere-cli", "quillmere") if with_desktop_program else ("quillmere-cli",):
        path = os.path.join(prefix, "bin", program)
        if os.path.isfile(path) and not os.access(path, os.X_OK):
            faults.append(f"not executable: bin/{program}")
    if not with_desktop_program:
        return faults
    for size in ICON_SIZES:
        path = os.path.join(prefix, f"share/icons/hicolor/{size}x{size}/apps/quillmere.png")
        if os.path.isfile(path) and png_size(path) != (size, size):
            faults.append(f"icon {size}x{size} is {png_size(path)}")
    entry = desktop_entry(os.path.join(prefix, "share/applications/quillmere.desktop"))
    wanted = {"Type": "Application", "Icon": "quillmere", "Categories": "Graphics;Engineering;",
              "MimeType": "image/vnd.dxf;"}
    faults += [f"desktop entry {key}={entry.get(key)}" for key, value in wanted.items()
               if entry.get(key) != value]
    if entry.get("Exec", "").split()[:1] != ["quillmere"]:
        faults.append(f"desktop entry Exec={entry.get('Exec')}")
    return faults


def run(command, config):
    environment = dict(os.environ, XDG_CONFIG_HOME=config)
    return subprocess.run(command, env=environment, capture_output=True, text=True, timeout=120)


def check_installed_cli(prefix, examples, built_cli, work):
    """The installed tool writes what the built one writes, and its messages
    come in English from the installed table once English is chosen."""
    faults = []
    installed_cli = os.path.join(prefix, "bin", "quillmere-cli")
    config = os.path.join(work, "config")
    drawing = os.path.join(examples, "plate_r2000.dxf")
    outputs = []
    for cli, name in ((installed_cli, "installed.dxf"), (built_cli, "built.dxf")):
        output = os.path.join(work, name)
        result = run([cli, "convert1", drawing, output], config)
        if result.returncode != 0:
            faults.append(f"{cli} convert1 exited {result.returncode}: {result.stderr}")
            return faults
        with open(output, "rb") as written:
            outputs.append(written.read())
    if outputs[0] != outputs[1]:
        faults.append("the installed quillmere-cli writes other bytes than the built one")

    options = os.path.join(config, "Tormel", "Quillmere")
    os.makedirs(options, exist_ok=True)
    with open(os.path.join(options, "options.dat"), "wb") as chosen:
        chosen.write(struct.pack("<i", ENGLISH))
    missing = os.path.join(work, "no such drawing.dxf")
    result = run([installed_cli, "convert1", missing, os.path.join(work, "out.dxf")], config)
    wanted = f"The following DXF file could not be opened: {missing}"
    if result.returncode != 1 or result.stderr.splitlines()[:1] != [wanted]:
        faults.append(f"English message expected, got {result.returncode}: {result.stderr!r}")
    return faults


def main():
    cmake, build_dir, examples, built_cli = sys.argv[1:5]
    with_desktop_program = "--with-desktop-program" in sys.argv[5:]
    with tempfile.TemporaryDirectory(prefix="quillmere-install-") as work:
        prefix = os.path.join(work, "prefix")
        install = subprocess.run([cmake, "--install", build_dir, "--prefix", prefix],
                                 capture_output=True, text=True)
        if install.returncode != 0:
            print(install.stdout, install.stderr)
            return 1
        faults = check_tree(prefix, with_desktop_program)
        faults += check_installed_cli(prefix, examples, built_cli, work)
    for fault in faults:
        print(fault)
    print(f"install tree: {len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())

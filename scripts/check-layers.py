#!/usr/bin/env python3
"""Checks that folders are layers: every #include of a source under src/,
libs/ or tools/ names a header of its own folder or of a folder on a lower
layer. The layers are read from the table of the README's layout section,
which must list every folder that holds sources, and nothing else.

    scripts/check-layers.py [TOP]
"""
import os
import re
import sys

TABLE_ROW = re.compile(r"^\|\s*(\d+)\s*\|\s*`([^`]+)/`\s*\|")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
ROOTS = ("src", "libs", "tools")
SOURCE_SUFFIXES = (".cpp", ".h", ".c")


def read_layers(readme):
    """Folder -> layer number, from the rows of the layout section's table."""
    layers = {}
    in_layout = False
    with open(readme, encoding="utf-8") as text:
        for line in text:
            if line.startswith("## "):
                in_layout = line.strip() == "## Layout"
                continue
            row = TABLE_ROW.match(line) if in_layout else None
            if row:
                layers[row.group(2)] = int(row.group(1))
    return layers


def source_folders(top):
    """Every folder under the roots that directly holds a source file."""
    folders = {}
    for root in ROOTS:
        for path, _, names in os.walk(os.path.join(top, root)):
            sources = [n for n in names if n.endswith(SOURCE_SUFFIXES)]
            if sources:
                folders[os.path.relpath(path, top)] = sources
    return folders


def folder_of_include(top, here, name):
    """The folder a quoted include resolves to, as the build's search paths do."""
    if os.path.exists(os.path.join(top, here, name)):
        return here
    for root in ("src", "libs"):
        if os.path.exists(os.path.join(top, root, name)):
            return os.path.dirname(os.path.join(root, name))
    return None  # a header the build generates


def main():
    top = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    layers = read_layers(os.path.join(top, "README.md"))
    folders = source_folders(top)
    faults = []
    for folder in sorted(set(folders) - set(layers)):
        faults.append(f"{folder}/ holds sources but is missing from the README's layout table")
    for folder in sorted(set(layers) - set(folders)):
        faults.append(f"{folder}/ is in the README's layout table but holds no sources")
    for folder, names in sorted(folders.items()):
        if folder not in layers:
            continue
        for name in sorted(names):
            with open(os.path.join(top, folder, name), encoding="utf-8", errors="replace") as text:
                for included in INCLUDE.findall(text.read()):
                    target = folder_of_include(top, folder, included)
                    if target is None or target == folder:
                        continue
                    if target not in layers:
                        faults.append(f"{folder}/{name}: {included} is in {target}/, which has no layer")
                    elif layers[target] >= layers[folder]:
                        faults.append(f"{folder}/{name}: {included} points to {target}/ "
                                      f"(layer {layers[target]}), not below {folder}/ (layer {layers[folder]})")
    for fault in faults:
        print(fault, file=sys.stderr)
    if not faults:
        print(f"layers: {len(layers)} folders, every include points down")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())

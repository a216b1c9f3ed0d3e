#!/usr/bin/env python3
"""Checks that a package ZIP holds what an integrator needs: both programs,
the client library with its headers and CMake package files, README and
license."""
import sys
import zipfile

NEEDED = [
    "bin/jxrwin32.exe", "bin/jxrdialog.exe",
    "include/jxrwin32/client/jxrclient.h", "include/jxrwin32/wire/protocol.h",
    "lib/libjxrclient.a", "lib/libjxrwire.a",
    "lib/cmake/jxrclient/jxrclientConfig.cmake",
    "lib/cmake/jxrclient/jxrclientConfigVersion.cmake",
    "lib/cmake/jxrclient/jxrclientTargets.cmake",
    "README.md", "LICENSE",
]

status = 0
if len(sys.argv) < 2:
    print("zipcheck: no package made")
    status = 1
for path in sys.argv[1:]:
    # Every entry lies in the archive's one top folder.
    names = {name.split("/", 1)[-1] for name in zipfile.ZipFile(path).namelist()}
    missing = [name for name in NEEDED if name not in names]
    print(f"{path}: {'missing ' + ', '.join(missing) if missing else 'complete'}")
    status |= bool(missing)
sys.exit(status)

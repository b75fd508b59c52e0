#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes every picture of the README again (docs/*.png, docs/cube.gif) from
# programs recorded by clicking through the editor, on a virtual screen of
# 1920x1200: `make pictures`.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
cmake --build "$build" --target make_pictures
QT_QPA_PLATFORM="offscreen:configfile=$root/tests/screens/large.json" "$build/make_pictures" "$root/docs" 2>&1 |
    grep -vE 'propagateSizeHints|XDG_RUNTIME_DIR|unsupported check type'

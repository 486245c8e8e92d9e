#!/usr/bin/env bash
# Set up, build, install, and run every test: the C++ unit tests, the Python tests
# against the installed module, and both again under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/tools/setup.sh"
cd "$root"

echo "== C++ unit tests"
[[ -f build/build.ninja ]] || meson setup build >/dev/null
ninja -C build >build/ninja.log 2>&1 || { cat build/ninja.log; exit 1; }
meson test -C build --print-errorlogs

echo "== Python tests (installed module)"
(cd "$root/tests/python" && "$root/.venv/bin/python" -m pytest -q -p no:cacheprovider --rootdir "$root" -c "$root/pyproject.toml" .)

echo "== sanitizers (ASan + UBSan)"
bash "$root/tools/sanitize.sh"

#!/usr/bin/env bash
# The whole test suite under AddressSanitizer and UndefinedBehaviorSanitizer, from
# a separate build directory. Any report fails the run.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
[[ -f build-asan/build.ninja ]] ||
  meson setup build-asan -Db_sanitize=address,undefined -Db_lundef=false -Dbuildtype=debug -Doptimization=1 >/dev/null
ninja -C build-asan >build-asan/ninja.log 2>&1 || { cat build-asan/ninja.log; exit 1; }

export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
build-asan/tests/cpp/unit_tests --gtest_brief=1

# The interpreter is not instrumented: load the sanitizer runtime first. Leak
# detection stays off because the interpreter keeps objects alive until exit.
LD_PRELOAD=$(g++ -print-file-name=libasan.so) PYTHONPATH="$root/build-asan/src/module" \
  TESSALY_SANITIZED=1 /usr/bin/python3 -m pytest -q -p no:cacheprovider -c "$root/pyproject.toml" --rootdir "$root" tests/python

#!/usr/bin/env bash
# Installs the Debian packages tessaly needs (only those missing), then builds and
# installs tessaly into a virtual environment at .venv that sees the system's
# numpy, pytest and hypothesis. Sourced by demo.sh and test.sh.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
packages=(g++ pkg-config meson ninja-build python3-dev python3-venv python3-pip python3-mesonpy
          python3-numpy python3-pytest python3-hypothesis libgsl-dev libtbb-dev libfftw3-dev
          libgtest-dev)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

venv="$root/.venv"
if [[ ! -x "$venv/bin/python" ]]; then
  /usr/bin/python3 -m venv --system-site-packages "$venv"
fi
# No package index is needed: the build backend comes from Debian.
# The C++ unit tests are not part of the installed package.
"$venv/bin/python" -m pip install --quiet --no-build-isolation --no-deps --no-index \
  --config-settings=setup-args=-Dtests=false "$root"

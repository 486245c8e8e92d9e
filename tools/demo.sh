#!/usr/bin/env bash
# Set up, build, install, and compute the features of the yearly sunspot series.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/tools/setup.sh"
cd /tmp  # import the installed module, not anything in the source tree
"$root/.venv/bin/python" "$root/tools/demo.py" "$root/data/sunspots_yearly.csv"

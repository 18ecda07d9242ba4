#!/usr/bin/env bash
# Installs what is missing, builds, lays out the program folder and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
bash scripts/build.sh
program=build/program
echo "Program folder: $PWD/$program"
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found; starting the program on a virtual X server (xvfb-run)."
  exec xvfb-run -a "$program/moriva"
fi
exec "$program/moriva"

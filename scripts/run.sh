#!/usr/bin/env bash
# Sets up and builds Reelwright, then starts it. Arguments are handed to the program (files, folders).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build
exec build/bin/reelwright "$@"

#!/usr/bin/env bash
# Times the inventory against plain registry and shell calls in the same run (1,000 entries unless told).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/run.sh" --bench "${1:-1000}"
"$root/tools/run.sh" --list-bench "${1:-1000}"

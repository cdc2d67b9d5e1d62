#!/usr/bin/env bash
# Times the inventory against plain registry and shell calls in the same run (1,000 entries unless told).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exec "$root/tools/run.sh" --bench "${1:-1000}"

#!/usr/bin/env bash
# Every C++ file under src, tests and bench is formatted as the repository's .clang-format says; each file
# that is not is named, with clang-format's first complaints.
set -euo pipefail
root="$1"
cd "$root"
command -v clang-format >/dev/null || { echo "clang-format is not installed"; exit 1; }
status=0
while IFS= read -r -d '' file; do
  if ! clang-format --style=file --dry-run --Werror "$file" >/dev/null 2>&1; then
    echo "not formatted: $file (clang-format -i $file)"
    clang-format --style=file --dry-run "$file" 2>&1 | head -n 6
    status=1
  fi
done < <(find src tests bench \( -name '*.cpp' -o -name '*.h' \) -type f -print0 | sort -z)
exit "$status"

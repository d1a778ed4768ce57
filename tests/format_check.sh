#!/usr/bin/env bash
# Every C++ file of the project must be formatted with the repository's clang-format settings.
set -euo pipefail
cd "$1"
dirs=()
for d in src gui cli tests bench tools; do
    if [ -d "$d" ]; then dirs+=("$d"); fi
done
mapfile -t files < <(find "${dirs[@]}" \( -name '*.cpp' -o -name '*.h' \) | sort)
clang-format --dry-run --Werror "${files[@]}"
echo "${#files[@]} files formatted"

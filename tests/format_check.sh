#!/usr/bin/env bash
# Every C++ file of the project must be formatted with the repository's clang-format settings.
set -euo pipefail
cd "$1"
files=$(find src gui cli tests bench tools -name '*.cpp' -o -name '*.h' 2>/dev/null | sort)
clang-format --dry-run --Werror $files

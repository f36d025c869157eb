#!/usr/bin/env bash
# Checks that every C++ file of the project is as clang-format-14 would write
# it (the style is .clang-format at the root); lists the files that are not.
# Usage: scripts/check-format.sh
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format-14 --dry-run --Werror

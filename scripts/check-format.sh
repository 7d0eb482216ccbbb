#!/usr/bin/env bash
# Fails when a C++ source of the repository differs from the project's clang-format style
# (.clang-format), with the clang-format that scripts/deps.sh installs.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror
echo "Sources formatted as .clang-format says."

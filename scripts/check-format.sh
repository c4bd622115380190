#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tintarium developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that every C and C++ file of the project is formatted as
# .clang-format says; lists those that are not. `clang-format -i FILE`
# mends one. Prints one closing line "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/.."
formatter=$(command -v clang-format || command -v clang-format-14 || true)
if [ -z "$formatter" ]; then
  echo "clang-format not found (scripts/install-deps.sh installs it)" >&2
  echo "0 passed, 1 failed"
  exit 1
fi
unformatted=$(git ls-files '*.c' '*.cpp' '*.h' | while read -r file; do
  "$formatter" --dry-run --Werror "$file" >/dev/null 2>&1 || echo "$file"
done)
if [ -n "$unformatted" ]; then
  echo "not formatted as .clang-format says:"
  echo "$unformatted"
  echo "0 passed, 1 failed"
  exit 1
fi
echo "every C and C++ file is formatted as .clang-format says"
echo "1 passed, 0 failed"

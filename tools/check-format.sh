#!/usr/bin/env bash
# Fails on any C++ source that clang-format (the style in .clang-format) would change.
#   check-format.sh SOURCE_DIR
set -u
cd "${1:-.}"
bad=$(git ls-files '*.cpp' '*.h' | while read -r f; do
    clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || echo "$f"
done)
if [ -n "$bad" ]; then
    echo "format: these files are not in the house style (clang-format -i them):"
    echo "$bad"
    exit 1
fi
echo "format: every C++ source is in the house style"

#!/usr/bin/env bash
# Fails on any C++ source that clang-format (the style in .clang-format) would change. One
# clang-format run for every file: a process per file would take most of the test's time.
#   check-format.sh SOURCE_DIR
set -u
cd "${1:-.}"
said=$(git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror 2>&1)
status=$?
bad=$(sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: error: .*/\1/p' <<<"$said" | sort -u)
if [ -n "$bad" ]; then
    echo "format: these files are not in the house style (clang-format -i them):"
    echo "$bad"
    exit 1
fi
if [ $status -ne 0 ]; then
    echo "format: clang-format failed (exit status $status):"
    head -n 5 <<<"$said"
    exit 1
fi
echo "format: every C++ source is in the house style"

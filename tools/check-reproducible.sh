#!/usr/bin/env bash
# Builds the shipped i686 exes (those two targets only) a second time, from a copy of the sources
# in another folder, and fails unless both exes, and the zips tools/make_dist.py makes of the two
# builds, are byte for byte the same, and no exe holds the path of either folder. Says which file
# differs, and where.
#   tools/check-reproducible.sh SOURCE_DIR SHIPPED_BUILD_DIR
set -u
if [ $# -ne 2 ]; then echo "usage: check-reproducible.sh SOURCE_DIR SHIPPED_BUILD_DIR" >&2; exit 2; fi
src=$(cd "$1" && pwd) || exit 1
shipped=$(cd "$2" && pwd) || exit 1
tmp=$(mktemp -d "${TMPDIR:-/tmp}/pw-reproducible.XXXXXX") || exit 1
trap 'rm -rf "$tmp"' EXIT
# Another folder, of another length, at another time.
copy=$tmp/second/build-of/panelwright
mkdir -p "$copy"
# Not the outer make's job server: the second build runs on its own.
unset MAKEFLAGS MFLAGS MAKELEVEL

# The zips share one date, as two builds of one commit do.
SOURCE_DATE_EPOCH=$(git -C "$src" log -1 --format=%ct 2>/dev/null || date +%s)
export SOURCE_DATE_EPOCH
python3 "$src/tools/make_dist.py" "$shipped" "$tmp/zip1" >/dev/null || exit 1

# The sources as they are now, which the shipped tree was built from; no build, no git.
tar -C "$src" --exclude=./build --exclude=./dist --exclude=./.git -cf - . | tar -C "$copy" -xf - || exit 1
if ! (cd "$copy" && cmake --preset windows >"$tmp/build.log" 2>&1 &&
      cmake --build --preset windows -j 2 --target panelwright panelwright-cli >>"$tmp/build.log" 2>&1); then
  echo "reproducible: the second build in $copy failed:"; tail -n 20 "$tmp/build.log"; exit 1
fi
python3 "$copy/tools/make_dist.py" "$copy/build/windows" "$tmp/zip2" >/dev/null || exit 1

status=0
differs() {  # first second what
  if ! cmp -s "$1" "$2"; then
    local first count
    first=$(cmp -l "$1" "$2" 2>&1 | head -n1 | awk '{print $1}')
    count=$(cmp -l "$1" "$2" 2>/dev/null | wc -l)
    echo "reproducible: FAILED: $3 differs between the two builds: $count bytes, the first at" \
         "byte $first ($1, $2)"
    status=1
  fi
}
for exe in panelwright.exe panelwright-cli.exe; do
  differs "$shipped/bin/$exe" "$copy/build/windows/bin/$exe" "$exe"
  for folder in "$src" "$shipped" "$copy"; do
    if grep -q -a -F "$folder" "$shipped/bin/$exe" "$copy/build/windows/bin/$exe"; then
      echo "reproducible: FAILED: $exe holds the path $folder"
      status=1
    fi
  done
done
zip=$(cd "$tmp/zip1" && ls)
differs "$tmp/zip1/$zip" "$tmp/zip2/$zip" "$zip"
if [ $status -eq 0 ]; then
  echo "reproducible: panelwright.exe, panelwright-cli.exe and $zip are byte for byte the same" \
       "from two builds in two folders ($(sha256sum <"$tmp/zip1/$zip" | cut -c1-16)...)"
fi
exit $status

#!/usr/bin/env bash
# Exit status 0 when this machine runs 32-bit x86 Linux programs, 1 when its kernel refuses them
# (then 32-bit Wine cannot start either). Asks the kernel: runs a 95-byte static i386 program
# that exits with status 42; the package list says nothing about what the kernel allows.
#   tools/runs-32bit.sh [--why]   --why prints one line saying which it is
set -u
probe=$(mktemp "${TMPDIR:-/tmp}/pw-probe32.XXXXXX") || exit 1
trap 'rm -f "$probe"' EXIT
# ELF header, one loadable segment at 0x08048000, then: mov eax,1; xor ebx,ebx; mov bl,42; int 0x80
printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000' >"$probe"
printf '\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000' >>"$probe"
printf '\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000' >>"$probe"
printf '\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010' >>"$probe"
printf '\137\000\000\000\137\000\000\000\005\000\000\000\000\020\000\000' >>"$probe"
printf '\270\001\000\000\000\061\333\263\052\315\200' >>"$probe"
chmod +x "$probe"
"$probe" >/dev/null 2>&1
status=$?
if [ "${1:-}" = --why ]; then
  if [ $status -eq 42 ]; then echo "this machine runs 32-bit programs"
  else echo "this machine refuses 32-bit programs"; fi
fi
[ $status -eq 42 ]

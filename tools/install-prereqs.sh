#!/usr/bin/env bash
# Installs what the build and the tests need on Debian/Ubuntu, only what is missing.
# 64-bit Wine always: the tests run the x86_64 build under it on every machine. 32-bit Wine only
# where the kernel runs 32-bit programs: elsewhere it cannot start, and once installed it makes
# Debian's plain `wine` wrapper pick its loader.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

# git: make dist dates the zip by the last commit. strace: make bench counts system calls.
packages=(cmake make g++ clang clang-format libclang-rt-14-dev googletest mingw-w64 wine wine64 xvfb xdotool
          imagemagick python3 nlohmann-json3-dev git strace)
if "$here/runs-32bit.sh"; then packages+=(wine32:i386); fi

if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# clang's runtime package is versioned; any one that matches the installed clang will do.
if command -v clang >/dev/null 2>&1; then
  v=$(clang --version | sed -n 's/.*clang version \([0-9]*\).*/\1/p' | head -1)
  if [ -n "$v" ] && [ "$v" != 14 ]; then
    missing=("${missing[@]/libclang-rt-14-dev/libclang-rt-$v-dev}")
  fi
fi
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [[ " ${missing[*]} " == *":i386"* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo[@]}" dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null

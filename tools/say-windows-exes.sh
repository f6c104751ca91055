#!/usr/bin/env bash
# The one line of `make test` that says which Windows exes the tests run, and why.
here=$(cd "$(dirname "$0")" && pwd)
why=$("$here/runs-32bit.sh" --why)
if "$here/runs-32bit.sh"; then
  echo "Windows tests: the x86_64 build under 64-bit Wine; e2e also against the shipped i686 panelwright.exe ($why)"
else
  echo "Windows tests: the x86_64 build under 64-bit Wine; e2e not against the shipped i686 panelwright.exe ($why, so 32-bit Wine cannot start)"
fi

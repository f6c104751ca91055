#!/usr/bin/env bash
# Fails on any include that points up or sideways between the layers, and on the two things
# only the dialog (app/) and the console program (cli/) may do: keep process-wide g_ variables
# and show message boxes.
#   platform <- host, panelcfg, preview <- catalogue <- app, cli      (resources: a leaf)
#   tools/check-layers.sh [SOURCE_DIR]
set -u
cd "${1:-$(dirname "$0")/..}" || exit 2

rank() {
  case $1 in
    platform) echo 0 ;; host|panelcfg|preview) echo 1 ;; catalogue) echo 2 ;; app|cli) echo 3 ;; *) echo -1 ;;
  esac
}

status=0
for file in $(find platform host panelcfg preview catalogue app cli -name '*.cpp' -o -name '*.h' 2>/dev/null | sort); do
  from=${file%%/*}
  from_rank=$(rank "$from")
  while IFS= read -r include; do
    to=${include%%/*}
    [ "$to" = resources ] || [ "$to" = "$from" ] && continue
    to_rank=$(rank "$to")
    [ "$to_rank" -lt 0 ] && continue
    if [ "$to_rank" -ge "$from_rank" ]; then
      echo "layers: $file includes $include, which is not below $from"
      status=1
    fi
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([a-z_]*\/[^"]*\)".*/\1/p' "$file")
  case $from in
    app|cli) ;;
    *)
      if grep -nE '\bg_[A-Za-z]' "$file" >/dev/null; then
        echo "layers: $file keeps a process-wide g_ variable; state belongs to the dialog's session"
        status=1
      fi
      if grep -nE '\bMessageBox[AW]?\b' "$file" >/dev/null; then
        echo "layers: $file shows a message box; only the dialog talks to the user"
        status=1
      fi ;;
  esac
done
[ $status -eq 0 ] && echo "layers: every include points down; no g_ variable or message box below the dialog"
exit $status

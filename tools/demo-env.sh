# Sourced by tools/demo.sh and the end-to-end tests.
#   pw_demo_setup WORK SOURCE_DIR   demo install in WORK, Wine prefix WORK/prefix with the
#                                  simulator and trainer keys, GARMINWT.INI, and a display
#   pw_demo_teardown WORK SOURCE_DIR   stops the prefix's wineserver and the Xvfb it started
# The display and the prefix come from cmake/wine-run.sh, so they behave as the harness's do.

# pw_key SOURCE_DIR NAME: a key or value name of host/registry_keys.h, as the program reads it.
pw_key() {
    python3 - "$1/host/registry_keys.h" "$2" <<'EOF'
import re, sys
text = open(sys.argv[1]).read()
print(re.search(sys.argv[2] + r'\s*=\s*"(.*?)";', text).group(1).replace("\\\\", "\\"))
EOF
}

pw_demo_setup() {
    local work=$1 src=$2
    mkdir -p "$work"
    # A scenario may have left a read-only folder, and per-user copies in the prefix's VirtualStore.
    if [ -d "$work/FS2002" ]; then chattr -R -i "$work/FS2002" 2>/dev/null; chmod -R u+w "$work/FS2002"; fi
    rm -rf "$work"/prefix/drive_c/users/*/AppData/Local/VirtualStore
    python3 "$src/tools/make_demo_install.py" "$work" >/dev/null || return 1
    "$src/cmake/wine-run.sh" "$work" start >/dev/null || return 1
    . "$src/cmake/wine-env.sh"
    pw_wine_env || return 1
    export WINEPREFIX="$work/prefix"
    if [ -f "$work/xvfb.display" ]; then export DISPLAY=$(cat "$work/xvfb.display"); fi
    # The simulator where its installer puts it; the folder itself stays in WORK.
    local games="$WINEPREFIX/drive_c/Program Files/Microsoft Games"
    mkdir -p "$games" && ln -sfn "$work/FS2002" "$games/FS2002"
    # The simulator's and the trainer's installers are 32-bit: on 64-bit Windows their keys live
    # in the 32-bit view, which is the view the program reads in either build.
    "$WINELOADER" reg add "HKLM\\$(pw_key "$src" kSimulatorKey)" \
        /v "$(pw_key "$src" kSimulatorValue)" /t REG_SZ /d 'C:\Program Files\Microsoft Games\FS2002' /f /reg:32 \
        >/dev/null 2>&1 || { echo "demo-env: cannot write the simulator key" >&2; return 1; }
    "$WINELOADER" reg add "HKLM\\$(pw_key "$src" kTrainerKey)" \
        /v "$(pw_key "$src" kTrainerValue)" /t REG_SZ /d 'C:\WINDOWS\unins000.exe /dir=C:\Program Files\GARMIN\Trainer' \
        /f /reg:32 >/dev/null 2>&1 \
        || { echo "demo-env: cannot write the trainer key" >&2; return 1; }
    cp "$work/GARMINWT.INI" "$WINEPREFIX/drive_c/windows/GARMINWT.INI"
}

pw_demo_teardown() {
    "$2/cmake/wine-run.sh" "$1" stop
}

# Sourced by the Wine harness, the end-to-end tests, the benchmark and the demo: which Wine runs
# the programs. Always the 64-bit loader, named directly: Debian's `wine` and `wineboot`
# wrappers pick the 32-bit loader whenever wine32 is installed, even on a kernel that refuses
# to run it. A 32-bit exe started through this loader runs in the same (64-bit) prefix through
# 32-bit Wine, where the machine has it.
#   pw_wine_env   sets WINELOADER and WINESERVER, or says what is missing and fails

pw_wine_env() {
    local loader=${PW_WINE64:-/usr/lib/wine/wine64}
    [ -x "$loader" ] || loader=$(command -v wine64 2>/dev/null || true)
    if [ -z "$loader" ] || [ ! -x "$loader" ]; then
        echo "wine: 64-bit Wine is not installed (Debian package wine64; make prereqs installs it)" >&2
        return 1
    fi
    local server
    server=$(dirname "$loader")/wineserver64
    [ -x "$server" ] || server=$(dirname "$loader")/wineserver
    [ -x "$server" ] || server=$(command -v wineserver 2>/dev/null || true)
    if [ -z "$server" ]; then
        echo "wine: no wineserver beside $loader" >&2
        return 1
    fi
    export WINELOADER=$loader WINESERVER=$server
    # Wine's own errors stay on: with -all, a program Wine could not start (say, its memory at a
    # fixed address was taken) ends with exit status 1 and not a word, like a refusal that forgot
    # to say why. Its notes about unfinished functions stay off.
    export WINEDEBUG=fixme-all
    # No Mono or Gecko install prompts: nothing here needs either.
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
}

#!/usr/bin/env bash
# Installs Veldmark into a temporary prefix and checks one aspect of the result.
#   InstallTest.sh CHECK BUILD_DIR VERSION APP_ID
# CHECK: files | desktop-entry | appstream | man-pages | settings
# Exit status 77 means the check was skipped: a tool it needs is not installed.
set -euo pipefail

check=$1 build=$2 version=$3 app_id=$4
skip() { echo "skipped: $*"; exit 77; }
fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null

desktop=$prefix/share/applications/$app_id.desktop
metainfo=$prefix/share/metainfo/$app_id.metainfo.xml
man1=$prefix/share/man/man1

case $check in
files)
    for f in bin/veldmark bin/veldmark-calc; do
        [ -x "$prefix/$f" ] || fail "$f is not installed as a program"
    done
    for f in "$desktop" "$metainfo" "$man1/veldmark-calc.1" "$man1/veldmark.1" \
             "$prefix/share/icons/hicolor/scalable/apps/$app_id.svg"; do
        [ -s "$f" ] || fail "$f is missing"
    done
    png=$prefix/share/icons/hicolor/256x256/apps/$app_id.png
    # PNG signature, then the IHDR chunk with width and height as 32-bit big-endian.
    [ "$(od -An -tx1 -N24 "$png" | tr -d ' \n')" = \
      "89504e470d0a1a0a0000000d494844520000010000000100" ] || fail "$png is not a 256 x 256 PNG"
    for line in "Exec=veldmark" "Icon=$app_id" "Categories=Science;Engineering;"; do
        grep -qxF "$line" "$desktop" || fail "desktop entry lacks $line"
    done
    grep -q '^Comment=.' "$desktop" || fail "desktop entry has no Comment"

    [ "$("$prefix/bin/veldmark" --version)" = "veldmark $version" ] || fail "veldmark --version"
    [ "$("$prefix/bin/veldmark-calc" --version)" = "veldmark-calc $version" ] ||
        fail "veldmark-calc --version"
    grep -qF "$version" "$metainfo" || fail "AppStream release is not $version"

    # Every option the command knows is in its manual page.
    options=$("$prefix/bin/veldmark-calc" --help | grep -oE '^  (-[a-z]|--[a-z-]+)' | tr -d ' ')
    [ -n "$options" ] || fail "no options in veldmark-calc --help"
    for option in $options; do
        escaped=${option//-/\\-}
        grep -qF -- "$escaped" "$man1/veldmark-calc.1" || fail "manual page lacks $option"
    done
    ;;
desktop-entry)
    command -v desktop-file-validate >/dev/null || skip "desktop-file-validate is not installed"
    out=$(desktop-file-validate "$desktop" 2>&1) || fail "$out"
    [ -z "$out" ] || fail "$out"
    ;;
appstream)
    command -v appstreamcli >/dev/null || skip "appstreamcli is not installed"
    appstreamcli validate --no-net "$metainfo" || fail "AppStream metadata does not validate"
    ;;
man-pages)
    command -v man >/dev/null || skip "man is not installed"
    for page in veldmark-calc veldmark; do
        # groff's warnings (bad requests, unknown escapes) go to standard error.
        text=$(MANWIDTH=80 man --warnings -l "$man1/$page.1" 2>"$work/warnings") ||
            fail "man cannot render $page.1"
        [ ! -s "$work/warnings" ] || fail "$(cat "$work/warnings")"
        grep -q "^NAME" <<<"$text" || fail "$page.1 renders without a NAME section"
    done
    grep -q "EXIT STATUS" < <(MANWIDTH=80 man -l "$man1/veldmark-calc.1") ||
        fail "veldmark-calc.1 has no exit status section"
    ;;
settings)
    # As installed for everyone: the program's folder is not the user's to write.
    config=$work/config
    mkdir -p "$config/veldmark"
    printf '[Settings]\nSepDist=3\n' >"$config/veldmark/VELDMARK.INI"
    run=()
    if [ "$(id -u)" -eq 0 ]; then
        # Root may write anywhere: run as nobody to see the installed case.
        id nobody >/dev/null 2>&1 && command -v setpriv >/dev/null ||
            skip "running as root without a nobody user or setpriv"
        chmod 755 "$work"
        chown -R nobody "$config"
        run=(setpriv --reuid="$(id -u nobody)" --regid="$(id -g nobody)" --clear-groups)
    else
        chmod a-w "$prefix/bin"
    fi
    HOME=$work XDG_CONFIG_HOME=$config QT_QPA_PLATFORM=offscreen \
        "${run[@]}" "$prefix/bin/veldmark" &
    pid=$!
    # SIGTERM closes the window like the user does once the handler is in
    # place (SigCgt in the status); before that it would just kill it.
    for _ in $(seq 600); do
        mask=$(sed -n 's/^SigCgt:[[:space:]]*//p' "/proc/$pid/status" 2>/dev/null || true)
        [ -n "$mask" ] && (( (16#$mask >> 14) & 1 )) && break
        kill -0 "$pid" 2>/dev/null || fail "veldmark ended by itself"
        sleep 0.1
    done
    kill -TERM "$pid"
    wait "$pid" || fail "veldmark exited with status $?"
    [ ! -e "$prefix/bin/VELDMARK.INI" ] || fail "settings written into the program's folder"
    expected=$(printf '[Settings]\nSepDist=3\nTransHeight=1\nUpperLimit=4\nLowerLimit=1\nScanStep=0\nStartFreq=30\nStopFreq=1000\nNumPoints=971\nPolarization=Horizontal\nShowDefault=True\nGraph2=Height')
    [ "$(cat "$config/veldmark/VELDMARK.INI")" = "$expected" ] ||
        fail "settings not kept in the configuration home: $(cat "$config/veldmark/VELDMARK.INI")"
    ;;
*)
    fail "unknown check '$check'"
    ;;
esac
echo "ok: $check"

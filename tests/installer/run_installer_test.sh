#!/usr/bin/env bash
# The installer under Wine, in a fresh prefix of its own: a user who already keeps a collection in
# %LOCALAPPDATA%\Programs\CineLedger installs an older package, starts the installed program, which saves and backs
# up into its folder, upgrades to the current package and removes it again. The user's files never change, the
# program's files, shortcut and installed-programs entry come and go. Run by tools/test.sh (CL_ROOT, CL_BUILD_WIN).
set -euo pipefail
ROOT=${CL_ROOT:-$(cd "$(dirname "$0")/../.." && pwd)}
BUILD=${CL_BUILD_WIN:-$ROOT/build/win}
WORK=$BUILD/installer-test
cd "$ROOT"

fail() {
    echo "installer test: FAILED: $*" >&2
    exit 1
}
step() { echo "installer test: $*"; }

rm -rf "$WORK"
mkdir -p "$WORK"
export CL_WINE_BUILD_DIR=$WORK CL_WINE_TIMEOUT=120
trap 'tools/wine-run.sh --stop >/dev/null 2>&1' EXIT

VERSION=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD/CMakeCache.txt")
OLD=0.0.1
for version in "$VERSION" "$OLD"; do
    CL_BUILD_DIR=$BUILD CL_DIST_DIR=$WORK/dist CL_VERSION=$version tools/package.sh >>"$WORK/package.log" 2>&1 ||
        fail "tools/package.sh for $version (see $WORK/package.log)"
done
x86_64-w64-mingw32-g++-posix -std=c++20 -O1 -Wall -Wextra -Werror -DWIN32_LEAN_AND_MEAN -DNOMINMAX -I"$ROOT" -static \
    -o "$WORK/installed_session.exe" tests/installer/installed_session.cpp

tools/wine-run.sh --prepare >/dev/null
PREFIX=$WORK/wine/prefix
# The user's profile is the one folder under users/ with application data (Public has none).
PROFILE=$(find "$PREFIX/drive_c/users" -mindepth 2 -maxdepth 2 -name AppData | head -n 1)
[[ -n "$PROFILE" ]] || fail "no user profile in the new prefix"
APP=$PROFILE/Local/Programs/CineLedger
SHORTCUT="$PROFILE/Roaming/Microsoft/Windows/Start Menu/Programs/CineLedger.lnk"
SHIPPED=(CineLedger.exe "Skin Tutorial.html" Skins/Midnight/Midnight.lsk Skins/Paper/Main.bmp)

wine_tool() { tools/wine-run.sh "$PREFIX/drive_c/windows/system32/$1.exe" "${@:2}"; }
msiexec() { wine_tool msiexec "$1" "Z:${2//\//\\}" /qn || fail "msiexec $1 $(basename "$2")"; }
# The installed-programs entries named CineLedger, as "version|publisher" lines.
installed() {
    local root
    for root in HKCU HKLM; do
        wine_tool reg query "$root\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall" /s 2>/dev/null
    done | tr -d '\r' | awk '/^HKEY/ { if (n == "CineLedger") print v "|" p; n = v = p = "" }
        $1 == "DisplayName" { n = $3 } $1 == "DisplayVersion" { v = $3 } $1 == "Publisher" { p = $3 }
        END { if (n == "CineLedger") print v "|" p }'
}
# Every file and folder of the installation folder that is not the package's own, with its contents.
user_files() {
    (cd "$APP" && find . -path ./CineLedger.exe -o -path "./Skin Tutorial.html" -o -path ./Skins/Midnight -prune \
        -o -path ./Skins/Paper -prune -o -type f -exec sha256sum {} + -o -type d -print) | sort
}
unchanged() {
    [[ "$(user_files)" == "$before" ]] || fail "$1 changed the user's files: $(diff <(echo "$before") <(user_files))"
}

step "a collection, settings, a picked skin and a skin of the user's own before installing"
mkdir -p "$APP/Skins/Mine"
printf 'CineLedger v3.15\r\nHeat|Default|Crime|Present|DVD|1\r\nend|nolockx\r\nend|\r\nend' >"$APP/CineLedger.dat"
printf '0\r\n1\r\n0\r\n0\r\n0\r\n0\r\n' >"$APP/Settings.dat"
printf 'Paper' >"$APP/CineLedger.ini"
printf 'made by the user' >"$APP/Skins/Mine/Mine.lsk"

step "install $OLD"
msiexec /i "$WORK/dist/CineLedger-$OLD.msi"
for file in "${SHIPPED[@]}"; do [[ -f "$APP/$file" ]] || fail "$file was not installed"; done
[[ -f "$SHORTCUT" ]] || fail "no Start-menu shortcut"
[[ $(cat "$APP/CineLedger.ini") == Paper ]] || fail "installing replaced the skin the user picked"
[[ $(installed) == "$OLD|CineLedger" ]] || fail "installed-programs entry: '$(installed)'"
wine_tool reg query 'HKLM\Software\Classes\Installer\Products' /s | grep -q 'ProductIcon.*CineLedger.ico' ||
    wine_tool reg query 'HKCU\Software\Microsoft\Installer\Products' /s | grep -q 'ProductIcon.*CineLedger.ico' ||
    fail "the installed-programs entry has no icon"

step "start the installed program; it saves and backs up beside itself"
tools/wine-run.sh "$WORK/installed_session.exe" '%LOCALAPPDATA%\Programs\CineLedger\CineLedger.exe' ||
    fail "the installed program did not run its session"
for file in Quarantine.dat Media.dat CineLedger.bak Media.bak; do [[ -f "$APP/$file" ]] || fail "no $file saved"; done
grep -q '^Heat|' "$APP/CineLedger.dat" || fail "the saved collection lost its movie"
[[ -d "$APP/Covers" ]] || fail "no Covers folder"
before=$(user_files)

step "upgrade to $VERSION"
msiexec /i "$WORK/dist/CineLedger-$VERSION.msi"
[[ $(installed) == "$VERSION|CineLedger" ]] || fail "after the upgrade the installed programs are '$(installed)'"
for file in "${SHIPPED[@]}"; do [[ -f "$APP/$file" ]] || fail "$file is missing after the upgrade"; done
unchanged "the upgrade"

step "uninstall"
msiexec /x "$WORK/dist/CineLedger-$VERSION.msi"
[[ -z $(installed) ]] || fail "still in the installed programs: '$(installed)'"
for file in "${SHIPPED[@]}"; do [[ ! -e "$APP/$file" ]] || fail "$file was left behind"; done
[[ ! -e "$APP/Skins/Midnight" && ! -e "$SHORTCUT" ]] || fail "a shipped skin folder or the shortcut was left behind"
unchanged "uninstalling"

tools/wine-run.sh --stop
trap - EXIT
rm -rf "$WORK"
step "passed"

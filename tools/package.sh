#!/usr/bin/env bash
# Builds the two release artefacts into dist/: the per-user installer CineLedger-<version>.msi and the portable
# CineLedger-<version>.zip. Both hold CineLedger.exe, the shipped skins, CineLedger.ini and "Skin Tutorial.html",
# nothing else. Installs what is missing first.
#
# The same commit gives the same bytes wherever it is packaged: the program is built without paths or times in it,
# every packed file carries the commit's time, the zip lists its entries in a fixed order with fixed attributes,
# and the installer's codes come from its version and its contents (installer/stage.py).
#
# Environment: CL_BUILD_DIR  Windows build folder to build and take the files from (default build/win)
#              CL_DIST_DIR   where the artefacts go (default dist)
#              CL_VERSION    version of the installer and in the names (default: the project's version)
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."
ROOT=$PWD
source tools/deps.sh
cl_install_missing "${CL_PACKAGE_PACKAGES[@]}"

BUILD=$(realpath -m "${CL_BUILD_DIR:-build/win}")
DIST=$(realpath -m "${CL_DIST_DIR:-dist}")
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake </dev/null >/dev/null
cmake --build "$BUILD" -j2 --target CineLedger </dev/null
VERSION=${CL_VERSION:-$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD/CMakeCache.txt")}
[[ "$VERSION" =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || { echo "package: bad version '$VERSION'" >&2; exit 1; }
# The commit's time, so that packaging the same commit again gives the same archive (zip times start in 1980).
EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || echo 315532800)}

# The program folder as it is shipped. The ini and the skins come from the skin generator's output rather than from
# beside the built program, where running it may have changed the ini or added skins.
STAGE=$BUILD/package/CineLedger
rm -rf "$BUILD/package"
mkdir -p "$STAGE"
cp "$BUILD/app/CineLedger.exe" "$STAGE/"
cp "$BUILD/skins/CineLedger.ini" "$STAGE/"
cp res/SkinTutorial.html "$STAGE/Skin Tutorial.html"
cp -r "$BUILD/skins/Skins" "$STAGE/"
find "$STAGE" -type d -exec chmod 755 {} + -o -type f -exec chmod 644 {} +
find "$STAGE" -exec touch -h -d "@$EPOCH" {} +

mkdir -p "$DIST"
ZIP=$DIST/CineLedger-$VERSION.zip
MSI=$DIST/CineLedger-$VERSION.msi
rm -f "$ZIP" "$MSI"

python3 installer/stage.py zip "$STAGE" "$EPOCH" "$ZIP"
# wixl finds files relative to the folder it runs in, so it runs in the package folder on copies of its inputs.
cp installer/CineLedger.wxs "$BUILD/res-images/CineLedger.ico" "$BUILD/package/"
cd "$BUILD/package"
python3 "$ROOT/installer/stage.py" skins CineLedger Skins.wxs
PRODUCT_CODE=$(python3 "$ROOT/installer/stage.py" product-code "$VERSION")
wixl -a x64 -o "$MSI" -D Version="$VERSION" -D ProductCode="$PRODUCT_CODE" -D SourceDir=CineLedger \
    -D IconFile=CineLedger.ico CineLedger.wxs Skins.wxs

python3 "$ROOT/installer/stage.py" finish-msi "$MSI" "$EPOCH" SkinChoice
cd "$ROOT"

echo "package: $ZIP"
echo "package: $MSI"

#!/usr/bin/env bash
# Builds the Debian package of the program from ./build into build/package and checks it: the
# program, its sheet helper, the desktop entry and the icon inside, the libraries and plugins
# the program needs declared. Prints the package's path. Install it with
#   apt install ./build/package/qinghe-florist_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -f build/build.ninja ]; then
  ./scripts/build.sh florist florist-sheet
else
  cmake --build build -j"$(nproc)" --target florist florist-sheet >/dev/null
fi
rm -rf build/package
(cd build && cpack -G DEB -B "$PWD/package" >/dev/null)
debs=(build/package/qinghe-florist_*.deb)
deb=${debs[0]}
[ -f "$deb" ] || { echo "package.sh: no package was made" >&2; exit 1; }

files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in ./usr/bin/florist ./usr/bin/florist-sheet ./usr/share/applications/qinghe-florist.desktop \
         ./usr/share/icons/hicolor/scalable/apps/qinghe-florist.svg; do
  if ! grep -qx "$f" <<<"$files"; then
    echo "package.sh: $deb lacks $f" >&2
    exit 1
  fi
done
depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 libqt6sql6 libqt6printsupport6 libsodium23 libzip4 libqt6sql6-sqlite \
         libqt6sql6-psql qt6-qpa-plugins fonts-noto-cjk; do
  if ! grep -q "\b$d\b" <<<"$depends"; then
    echo "package.sh: $deb does not declare $d (Depends: $depends)" >&2
    exit 1
  fi
done
desktop=$(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/applications/qinghe-florist.desktop)
grep -qx "Name=青禾花店管理系统" <<<"$desktop" || { echo "package.sh: desktop entry without its name" >&2; exit 1; }
echo "$deb"

#!/usr/bin/env bash
# Makes the Debian package with CPack and reads it back (never installs it):
# its dependencies come from the libraries' needs, and it holds the program, the
# library, its headers and CMake files, the Designer plugin, the desktop entry,
# the icons and the metainfo, and the copy command with its windowed form and
# file-manager actions.
# check-deb.sh BUILD_DIR
set -euo pipefail
build=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
cd "$build"
rm -f quintaro_*.deb
cpack -G DEB >/dev/null
deb=quintaro_2.0_$(dpkg --print-architecture).deb
[[ -f $deb ]] || fail "no $deb (found: $(ls ./*.deb 2>/dev/null))"

info=$(dpkg-deb --info "$deb")
echo "$info" | grep -E '^ (Package|Version|Architecture|Depends):'
echo "$info" | grep -q '^ Package: quintaro$' || fail "package name"
echo "$info" | grep -q '^ Version: 2.0$' || fail "version"
for dep in libqt6widgets6 libqt6gui6 libqt6core6 libc6 libstdc++6; do
  echo "$info" | grep -E '^ Depends:' | grep -q "$dep" || fail "Depends lacks $dep"
done

# The name is all after the time, less a link's target (names may hold spaces).
contents=$(dpkg-deb --contents "$deb" | awk '{ $1 = $2 = $3 = $4 = $5 = ""; sub(/^ +/, ""); sub(/ -> .*/, ""); print }')
arch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
for f in ./usr/bin/quintaro \
  "./usr/lib/$arch/libquintaro-vbbutton.so.2" "./usr/lib/$arch/libquintaro-vbbutton.so" \
  ./usr/include/quintaro/vbButton.h "./usr/lib/$arch/cmake/QuintaroButton/QuintaroButtonConfig.cmake" \
  "./usr/lib/$arch/cmake/QuintaroButton/QuintaroButtonTargets.cmake" \
  "./usr/lib/$arch/qt6/plugins/designer/libquintaro_vbbutton.so" \
  ./usr/share/applications/org.quintaro.Quintaro.desktop \
  ./usr/share/icons/hicolor/256x256/apps/quintaro.png ./usr/share/icons/hicolor/16x16/apps/quintaro.png \
  ./usr/share/metainfo/org.quintaro.Quintaro.metainfo.xml \
  ./usr/bin/quintaro-copy ./usr/libexec/quintaro/quintaro-copy-window \
  ./usr/share/kio/servicemenus/quintaro-copy.desktop ./usr/share/nemo/actions/quintaro-copy.nemo_action \
  ./usr/share/quintaro/thunar-uca.xml "./usr/share/quintaro/nautilus-scripts/Copy to Folder with Quintaro"; do
  grep -qxF -- "$f" <<<"$contents" || fail "$deb lacks $f"
done
echo "$deb: ok"

#!/usr/bin/env bash
# Installs a build into a scratch prefix and checks what lands there: every file
# under the prefix, the library's SONAME and exported symbols, no run path or
# path into the build or source tree, valid desktop entry and metainfo, and the
# copy command's file-manager actions, its windowed form found from the prefix.
# check-install.sh BUILD_DIR PREFIX SOURCE_DIR
set -euo pipefail
build=$1 prefix=$2 source=$3
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

while read -r f; do
  [[ $f == "$prefix"/* ]] || fail "installed outside the prefix: $f"
done <"$build/install_manifest.txt"

libdir=$(cd "$prefix" && dirname "$(find . -name 'libquintaro-vbbutton.so.2' -printf '%P\n')")
for f in bin/quintaro include/quintaro/vbButton.h include/quintaro/vbButtonExport.h include/quintaro/vbButtonTypes.h \
  "$libdir/libquintaro-vbbutton.so" "$libdir/cmake/QuintaroButton/QuintaroButtonConfig.cmake" \
  "$libdir/qt6/plugins/designer/libquintaro_vbbutton.so" \
  share/applications/org.quintaro.Quintaro.desktop share/metainfo/org.quintaro.Quintaro.metainfo.xml \
  share/icons/hicolor/48x48/apps/quintaro.png \
  bin/quintaro-copy libexec/quintaro/quintaro-copy-window share/kio/servicemenus/quintaro-copy.desktop \
  share/nemo/actions/quintaro-copy.nemo_action share/quintaro/thunar-uca.xml \
  "share/quintaro/nautilus-scripts/Copy to Folder with Quintaro"; do
  [[ -e $prefix/$f ]] || fail "missing $f"
done

lib=$prefix/$libdir/libquintaro-vbbutton.so.2
readelf -d "$lib" | grep -q 'Library soname: \[libquintaro-vbbutton.so.2\]' || fail "SONAME of $lib"

# Only the public widget, its enums and their meta-objects leave the library.
leaked=$(nm -D --defined-only -C "$lib" | awk '{ $1 = ""; $2 = ""; print }' \
  | grep -v -E '^  (quintaro::|vtable for quintaro::|typeinfo (name )?for quintaro::|non-virtual thunk to quintaro::|QUINTARO_VBBUTTON_2$)' || true)
[[ -z $leaked ]] || fail "symbols exported beyond the public surface:"$'\n'"$leaked"

while IFS= read -r -d '' f; do
  if file -b "$f" | grep -q '^ELF'; then
    runpath=$(readelf -d "$f" | grep -E 'R(UN)?PATH' || true)
    [[ $runpath != *"$build"* && $runpath != *"$source"* ]] || fail "$f keeps a run path: $runpath"
  elif grep -q -e "$build" -e "$source" "$f"; then
    fail "$f names the build or source tree"
  fi
done < <(find "$prefix" -type f -print0)

desktop-file-validate "$prefix"/share/applications/*.desktop "$prefix"/share/kio/servicemenus/*.desktop
xmllint --noout "$prefix"/share/quintaro/thunar-uca.xml
[[ -x "$prefix/share/quintaro/nautilus-scripts/Copy to Folder with Quintaro" ]] || fail "the Nautilus script cannot be run"
# Every action runs the command with the destination asked for, on the selection.
for f in "$prefix"/share/kio/servicemenus/quintaro-copy.desktop "$prefix"/share/nemo/actions/quintaro-copy.nemo_action \
  "$prefix"/share/quintaro/thunar-uca.xml "$prefix/share/quintaro/nautilus-scripts/Copy to Folder with Quintaro"; do
  grep -q 'quintaro-copy --progress --choose-destination -- ' "$f" || fail "$f does not run quintaro-copy --progress --choose-destination"
done
# The installed command finds its windowed form in the prefix it was installed into.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/from" "$scratch/to"
printf x >"$scratch/from/x"
QT_QPA_PLATFORM=offscreen "$prefix/bin/quintaro-copy" --progress "$scratch/from" "$scratch/to" \
  || fail "the installed quintaro-copy --progress exits with $?"
cmp "$scratch/from/x" "$scratch/to/from/x" || fail "the installed quintaro-copy --progress did not copy"
appstreamcli validate --no-net --no-color "$prefix"/share/metainfo/*.metainfo.xml
echo "install into $prefix: ok"

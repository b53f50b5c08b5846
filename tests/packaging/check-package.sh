#!/bin/bash
# Builds the Debian package with CPack into a temporary folder and checks it:
# the control fields, that every library a packaged program links has its
# package among the dependencies (and ffmpeg is there, which the encoder
# runs, and no second media stack: Qt's multimedia module or GStreamer), the
# contents, that the programs are stripped and start, and lintian.
#   check-package.sh BUILD-FOLDER VERSION
set -u
build=$1 version=$2
. "$(dirname "$0")/checks.sh"
for tool in cpack dpkg-deb dpkg-shlibdeps dpkg-architecture readelf file; do need_tool "$tool"; done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$build" && cpack -G DEB -B "$work/out") >"$work/cpack.log" 2>&1 \
  || { cat "$work/cpack.log"; fail "cpack failed"; finish; }
deb=$work/out/kelvara_${version}-1_$(dpkg --print-architecture).deb
[ -f "$deb" ] || { ls "$work/out"; fail "no package named $(basename "$deb")"; finish; }

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = kelvara ] || fail "Package is $(field Package)"
[ "$(field Version)" = "$version-1" ] || fail "Version is $(field Version)"
[ "$(field Section)" = video ] || fail "Section is $(field Section)"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
field Description | sed -n 2p | grep -q Kelvara || fail "the long description is missing"

dpkg-deb -x "$deb" "$work/root"
depends=", $(field Depends),"
has_dependency() { case "$depends" in *", $1"[\ ,]*) return 0 ;; *) return 1 ;; esac; }
has_dependency ffmpeg || fail "Depends lacks ffmpeg"
# Opened by the program at the first preview or sound rather than linked.
has_dependency libmpv2 || fail "Depends lacks libmpv2"
for family in libqt6core libqt6gui libqt6widgets libavformat libavcodec libavutil; do
  case "$depends" in *", $family"[0-9]*) ;; *) fail "Depends has no $family package" ;; esac
done
# The two short sounds play through libmpv: no second media stack.
for family in libqt6multimedia gstreamer; do
  case "$depends" in *", $family"*) fail "Depends pulls $family" ;; esac
done
elves=$(find "$work/root" -type f -exec sh -c 'head -c4 "$1" | grep -q "ELF"' _ {} \; -print)
[ -n "$elves" ] || fail "the package holds no programs"
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
for elf in $elves; do
  file "$elf" | grep -q ', stripped' || fail "${elf#"$work/root"} is not stripped"
  for library in $(readelf -d "$elf" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
    owner=$(dpkg -S "*/$multiarch/$library" 2>/dev/null | head -n 1 | cut -d: -f1)
    [ -n "$owner" ] || { fail "no installed package provides $library"; continue; }
    has_dependency "$owner" || fail "${elf#"$work/root"} links $library of $owner, which Depends lacks"
  done
done

# The program opens libmpv and FFmpeg's libraries when it first needs them:
# linked, they would all be mapped before its window is shown.
program_needs=$(readelf -d "$work/root/usr/lib/kelvara/kelvara" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
for family in libmpv libavformat libavcodec libavutil; do
  if grep -q "^$family\." <<<"$program_needs"; then fail "the program links $family"; fi
done

# Contents: the program folder under /usr/lib (executables stay out of
# /usr/share), the link in /usr/bin, the desktop files and the documents.
contents=$(dpkg-deb --contents "$deb" | awk '{ $1 = $2 = $3 = $4 = $5 = ""; sub(/^ +/, ""); print }')
for path in ./usr/lib/kelvara/kelvara ./usr/lib/kelvara/tools/tarvoconverter ./usr/lib/kelvara/tools/pmpmux \
  ./usr/lib/kelvara/tools/TARVO_Pro_PSP.ini ./usr/lib/kelvara/help.html ./usr/lib/kelvara/Banners.gif \
  ./usr/lib/kelvara/menu.wav ./usr/share/applications/io.kelvara.Kelvara.desktop \
  ./usr/share/metainfo/io.kelvara.Kelvara.metainfo.xml ./usr/share/icons/hicolor/256x256/apps/io.kelvara.Kelvara.png \
  ./usr/share/icons/hicolor/16x16/apps/io.kelvara.Kelvara.png ./usr/share/doc/kelvara/copyright \
  ./usr/share/doc/kelvara/changelog.Debian.gz ./usr/share/man/man1/kelvara.1.gz; do
  grep -qx -- "$path" <<<"$contents" || fail "the package lacks $path"
done
grep -qx -- './usr/bin/kelvara -> ../lib/kelvara/kelvara' <<<"$contents" \
  || fail "/usr/bin/kelvara does not link to ../lib/kelvara/kelvara"
grep -q '^\./usr/share/kelvara' <<<"$contents" && fail "the package still has /usr/share/kelvara"
grep -qv '^\./usr/' <<<"$contents" && fail "the package installs outside /usr"

# The packaged program starts (and its linked libraries resolve) as unpacked.
"$work/root/usr/bin/kelvara" --help | grep -q '^Usage: kelvara' || fail "the packaged kelvara --help does not answer"

if command -v lintian >/dev/null 2>&1; then
  start=$(date +%s)
  lintian --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1
  echo "lintian took $(($(date +%s) - start)) s:"
  cat "$work/lintian.log"
  grep -q '^E:' "$work/lintian.log" && fail "lintian reports errors"
else
  echo "lintian is not installed: its check is left out"
fi
finish

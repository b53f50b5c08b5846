#!/bin/bash
# Installs the build into a temporary DESTDIR and checks the tree: the program
# folder and its link, the desktop entry, the icons, the metainfo.
#   check-install.sh BUILD-FOLDER SOURCE-FOLDER VERSION
set -u
build=$1 source=$2 version=$3
. "$(dirname "$0")/checks.sh"
need_tool desktop-file-validate
need_tool appstreamcli
app_id=io.kelvara.Kelvara

dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT
DESTDIR=$dest cmake --install "$build" --prefix /usr >"$dest/install.log" 2>&1 \
  || { cat "$dest/install.log"; fail "cmake --install failed"; finish; }
usr=$dest/usr

# The program folder, and bin/kelvara leading into it.
[ -L "$usr/bin/kelvara" ] || fail "bin/kelvara is not a link"
[ "$(readlink -f "$usr/bin/kelvara")" = "$(readlink -f "$usr/share/kelvara/kelvara")" ] \
  || fail "bin/kelvara does not lead to share/kelvara/kelvara"
for program in kelvara tools/tarvoconverter tools/pmpmux; do
  [ -x "$usr/share/kelvara/$program" ] || fail "share/kelvara/$program is missing or not executable"
done
for file in help.html Banners.gif menu.wav tools/TARVO_Pro_PSP.ini tools/TARVO_Pro_Xbox.ini \
  tools/TARVO_Pro_PPC.ini tools/TARVO_Pro_PMP.ini tools/TARVO_Pro_MP4.ini tools/TARVO_Pro_MKV.ini \
  tools/TARVO_Pro_WebM.ini tools/TARVO_Pro_AV1.ini tools/TARVO_Pro_Phone.ini tools/TARVO_Pro_TV.ini \
  tools/TARVO_Pro_Web.ini; do
  [ -s "$usr/share/kelvara/$file" ] || fail "share/kelvara/$file is missing"
done

# The desktop entry.
entry=$usr/share/applications/$app_id.desktop
if [ -f "$entry" ]; then
  desktop-file-validate "$entry" || fail "desktop-file-validate rejects the desktop entry"
  [ "$(desktop_value "$entry" Exec)" = "kelvara %F" ] || fail "Exec is not 'kelvara %F'"
  [ "$(desktop_value "$entry" Icon)" = "$app_id" ] || fail "Icon is not $app_id"
  [ "$(desktop_value "$entry" Terminal)" = "false" ] || fail "Terminal is not false"
  desktop_value "$entry" Categories | grep -q '^AudioVideo;' || fail "Categories do not start with AudioVideo"
  # Every extension of the source table (the Add dialog's filters) has its
  # MIME types in the entry, so file managers offer Kelvara for the files it
  # reads; a text type sharing an extension (Qt's .ts translations) is not ours.
  mime_types=";$(desktop_value "$entry" MimeType)"
  extensions=$(sed -n '/kSourceExtensions = {/,/^};/p' "$source/src/jobs/SourceExtensions.cpp" \
    | tr -d '\n' | grep -o 'SourceExtension { *"[A-Za-z0-9]*"' | cut -d'"' -f2 | sort -u)
  [ -n "$extensions" ] || fail "the table of source extensions was not found"
  for ext in $extensions; do
    while IFS=: read -r type _; do
      case "$type" in text/*) continue ;; esac
      case "$mime_types" in
        *";$type;"*) ;;
        *) fail "MimeType lacks $type (*.$ext)" ;;
      esac
    done < <(grep -i ":\*\.$ext\$" /usr/share/mime/globs 2>/dev/null)
  done
else
  fail "share/applications/$app_id.desktop is missing"
fi

# The icon in the hicolor theme, each size drawn at its own size.
for size in 16 24 32 48 64 128 256; do
  icon=$usr/share/icons/hicolor/${size}x$size/apps/$app_id.png
  if [ -f "$icon" ]; then
    [ "$(png_size "$icon")" = "${size}x$size" ] || fail "the ${size}px icon is $(png_size "$icon")"
  else
    fail "no ${size}px icon"
  fi
done
sizes=$(find "$usr/share/icons/hicolor" -mindepth 1 -maxdepth 1 -printf '%f ')
[ "$(wc -w <<<"$sizes")" -eq 7 ] || fail "unexpected icon sizes: $sizes"

# The metainfo: valid, launching the entry above, with this version's release
# and a screenshot that exists in the repository at the size it states.
info=$usr/share/metainfo/$app_id.metainfo.xml
if [ -f "$info" ]; then
  appstreamcli validate --no-net "$info" || fail "appstreamcli rejects the metainfo"
  # The tree as a whole: the metainfo with the desktop entry and icons it names.
  appstreamcli validate-tree --no-net "$dest" || fail "appstreamcli rejects the installed tree"
  grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$info" \
    || fail "the metainfo does not launch $app_id.desktop"
  grep -q "<release version=\"$version\"" "$info" || fail "the metainfo has no release $version"
  shot=$source/data/screenshots/main-window.png
  if [ -f "$shot" ]; then
    stated=$(sed -n 's/.*<image type="source" width="\([0-9]*\)" height="\([0-9]*\)".*/\1x\2/p' "$info")
    [ "$stated" = "$(png_size "$shot")" ] || fail "the screenshot is $(png_size "$shot"), the metainfo says $stated"
  else
    fail "data/screenshots/main-window.png is missing"
  fi
else
  fail "share/metainfo/$app_id.metainfo.xml is missing"
fi

# What Debian wants beside every package's files.
[ -s "$usr/share/doc/kelvara/copyright" ] || fail "share/doc/kelvara/copyright is missing"
gzip -t "$usr/share/doc/kelvara/changelog.Debian.gz" 2>/dev/null || fail "the Debian changelog is missing or broken"
finish

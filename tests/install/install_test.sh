#!/usr/bin/env bash
# Installs the built program into a temporary prefix and uses it from there
# as a user would: the files land where the desktop looks for them, the
# installed program finds its help page and keeps its data in the user's
# data folder, a copied program keeps its data beside it. Checks the menu
# entry, the metainfo and the manual page with the validators that are
# installed, and builds the Debian package when dpkg-deb is there.
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "install test: $*" >&2; exit 1; }
skipped=()

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 || fail "cmake --install failed: $(cat "$work/install.log")"

# The installed files, and nothing else (the desktop's caches, which the
# install refreshes, aside).
sizes=(16 22 24 32 48 64 128 256 512)
expected=(bin/tovalia share/tovalia/Help.htm share/tovalia/Spell54.dat share/tovalia/Spell54-word-list-copyright.txt
  share/applications/tovalia.desktop
  share/metainfo/org.example.tovalia.metainfo.xml share/mime/packages/tovalia.xml
  share/man/man1/tovalia.1.gz share/icons/hicolor/scalable/apps/tovalia.svg)
for size in "${sizes[@]}"; do expected+=("share/icons/hicolor/${size}x${size}/apps/tovalia.png"); done
(cd "$prefix" && find . -type f -o -type l) | sed 's|^\./||' |
  awk '!/^share\/mime\// || /^share\/mime\/packages\//' | grep -v -e '^share/applications/mimeinfo.cache$' |
  sort >"$work/installed.txt"
printf '%s\n' "${expected[@]}" | sort >"$work/expected.txt"
diff -u "$work/expected.txt" "$work/installed.txt" >&2 || fail "the installed files are not the expected ones"
[ -x "$prefix/bin/tovalia" ] || fail "the installed program cannot be run"

# Each PNG has the size its folder names (width and height from the header).
for size in "${sizes[@]}"; do
  png=$prefix/share/icons/hicolor/${size}x${size}/apps/tovalia.png
  read -r -a header < <(od -An -tu1 -j16 -N8 "$png" | tr -s ' ')
  width=$(( (header[2] << 8) | header[3] ))
  height=$(( (header[6] << 8) | header[7] ))
  [ "$width" -eq "$size" ] && [ "$height" -eq "$size" ] || fail "$png is ${width}x${height}"
done

# The installed program, from its prefix, as a user without TOVALIA_DATA.
run() { env -u TOVALIA_DATA -u XDG_DATA_HOME HOME="$work/home" TMPDIR="$work" "$@"; }
[ "$(run "$prefix/bin/tovalia" --version)" = "Tovalia 5.8" ] || fail "--version"
run "$prefix/bin/tovalia" --help | grep -q "^  pdf-book " || fail "--help does not list pdf-book"
run "$prefix/bin/tovalia" add-chapter Soups >/dev/null || fail "add-chapter from the installed program"
run "$prefix/bin/tovalia" check >"$work/check.txt" || fail "check: $(cat "$work/check.txt")"
grep -qx "data folder: $work/home/.local/share/tovalia/tv_data/ (the user's data folder)" "$work/check.txt" ||
  fail "the installed program's data folder: $(tail -n 1 "$work/check.txt")"
[ -f "$work/home/.local/share/tovalia/tv_data/Recipe34.dat" ] || fail "no collection in the user's data folder"
[ ! -e "$prefix/bin/tv_data" ] || fail "the installed program made tv_data/ beside itself"
XDG_DATA_HOME=$work/xdg env -u TOVALIA_DATA HOME="$work/home" "$prefix/bin/tovalia" check |
  grep -qx "data folder: $work/xdg/tovalia/tv_data/ (the user's data folder)" || fail "XDG_DATA_HOME is not followed"

# The window, headless: F1 opens the installed help page; the Help screen
# names the folder in use.
printf 'key F1\ntype h\nexpect Your recipes are kept in %s  (the user%ss data folder)\npress Quit\n' \
  "$work/home/.local/share/tovalia/tv_data/" "'" >"$work/script.txt"
run "$prefix/bin/tovalia" --headless --script "$work/script.txt" 2>"$work/window.txt" ||
  fail "the headless window: $(cat "$work/window.txt")"
grep -qx "open: $prefix/share/tovalia/Help.htm" "$work/window.txt" || fail "F1: $(cat "$work/window.txt")"
cmp -s "$prefix/share/tovalia/Spell54.dat" "$work/home/.local/share/tovalia/tv_data/Spell54.dat" ||
  fail "the starter dictionary did not reach the user's data folder"

# A copy of the program somewhere writable keeps its data beside it.
mkdir "$work/portable"
cp "$prefix/bin/tovalia" "$work/portable/"
run "$work/portable/tovalia" check | grep -qx "data folder: $work/portable/tv_data/ (beside the program)" ||
  fail "a copied program does not keep its data beside it"

# The validators, when they are installed.
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/tovalia.desktop" >"$work/desktop.txt" 2>&1 ||
    fail "desktop-file-validate: $(cat "$work/desktop.txt")"
  grep -v "hint:" "$work/desktop.txt" >&2 && fail "desktop-file-validate warns" || true
else
  skipped+=(desktop-file-validate)
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$prefix/share/metainfo/org.example.tovalia.metainfo.xml" >"$work/metainfo.txt" 2>&1 ||
    fail "appstreamcli validate: $(cat "$work/metainfo.txt")"
else
  skipped+=(appstreamcli)
fi
if command -v groff >/dev/null; then
  gzip -dc "$prefix/share/man/man1/tovalia.1.gz" | groff -man -Tutf8 -ww -z 2>"$work/man.txt"
  [ ! -s "$work/man.txt" ] || fail "groff warns about the manual page: $(cat "$work/man.txt")"
  gzip -dc "$prefix/share/man/man1/tovalia.1.gz" | groff -man -Tascii 2>/dev/null | sed 's/.\x08//g' >"$work/man-page.txt"
  grep -q "grocery add-recipe RECIPEID" "$work/man-page.txt" || fail "the manual page does not show the commands"
else
  skipped+=(groff)
fi
if command -v update-mime-database >/dev/null; then
  mkdir -p "$work/mime/packages"
  cp "$prefix/share/mime/packages/tovalia.xml" "$work/mime/packages/"
  update-mime-database "$work/mime" 2>"$work/mime.txt" || fail "update-mime-database: $(cat "$work/mime.txt")"
  grep -q "application/x-meal-master:\*.mmf" "$work/mime/globs2" || fail "the Meal-Master type is not known"
else
  skipped+=(update-mime-database)
fi

# The Debian package, where it can be built.
if command -v dpkg-deb >/dev/null && command -v cpack >/dev/null; then
  (cd "$work" && cpack -G DEB -B "$work/package" --config "$build/CPackConfig.cmake") >"$work/cpack.txt" 2>&1 ||
    fail "cpack: $(cat "$work/cpack.txt")"
  deb=$(ls "$work"/package/tovalia_5.8_*.deb) || fail "no package: $(cat "$work/cpack.txt")"
  dpkg-deb -I "$deb" >"$work/info.txt"
  grep -q "^ Package: tovalia$" "$work/info.txt" || fail "package name: $(cat "$work/info.txt")"
  grep -q "^ Version: 5.8$" "$work/info.txt" || fail "package version"
  depends=$(grep "^ Depends:" "$work/info.txt") || fail "the package declares no dependencies"
  for needed in libsdl2-2.0-0 libcairo2 libhpdf-2.3.0 libcups2 libpugixml1v5 fonts-liberation xdg-utils; do
    [[ "$depends" == *"$needed"* ]] || fail "the package does not depend on $needed: $depends"
  done
  dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '/$' | sed 's|^\./usr/||' | sort >"$work/packaged.txt"
  diff -u "$work/expected.txt" "$work/packaged.txt" >&2 || fail "the package's files are not the installed ones"
else
  skipped+=(package)
fi

echo "install test passed${skipped[*]:+ (not checked: ${skipped[*]})}"

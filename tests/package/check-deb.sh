#!/usr/bin/env bash
# Unpacks the Debian package into a scratch folder and checks what it would install:
# its name and fields, the file list against the source tree (nothing missing, nothing
# stray), binaries without build paths, and the desktop entry, file type, AppStream
# metadata and manual pages as the desktop's own tools read them.
#   check-deb.sh DEB_FOLDER SOURCE_DIR VERSION SCRATCH
set -euo pipefail
debs=("$1"/vimsel_*.deb) src=$2 version=$3 scratch=$4
deb=${debs[0]}
arch=$(dpkg --print-architecture)
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

[ "$(basename "$deb")" = "vimsel_${version}_${arch}.deb" ] || fail "package file is $(basename "$deb"), expected vimsel_${version}_${arch}.deb"

# ---- The fields --------------------------------------------------------------------
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = vimsel ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture: $(field Architecture)"
[ "$(field Section)" = education ] || fail "Section: $(field Section)"
# The package names of a relation field, one a line.
names() { tr ',|' '\n\n' <<<"$1" | sed 's/([^)]*)//; s/^ *//; s/ *$//' | grep -v '^$'; }
depends=$(field Depends) recommends=$(field Recommends)
for p in libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 libqt6serialport6 libqt6webenginewidgets6 \
  libqt6webenginecore6-bin libudev1 libc6 libstdc++6; do
  names "$depends" | grep -qxF "$p" || fail "Depends lacks $p: $depends"
done
for p in arduino arduino-core-avr avrdude gcc-avr avr-libc; do
  names "$recommends" | grep -qxF "$p" || fail "Recommends lacks $p: $recommends"
done
# Nothing of the toolchain is required: the program runs without it.
names "$depends" | grep -qxE 'arduino|arduino-core-avr|avrdude|gcc-avr|avr-libc' && fail "the toolchain is a dependency: $depends"

# ---- The file list -----------------------------------------------------------------
rm -rf "$scratch"
mkdir -p "$scratch/root"
dpkg-deb -x "$deb" "$scratch/root"
root=$scratch/root
(cd "$root" && find . \( -type f -o -type l \) | sed 's|^\.||' | sort) >"$scratch/files"
{
  printf '%s\n' /usr/bin/vimsel /usr/bin/vimsel-sketch /usr/bin/vimsel-sim /usr/lib/vimsel/libvimsel_browser.so /usr/lib/vimsel/libvimsel_sound.so \
    /usr/share/applications/gr.ombrinex.vimsel.desktop \
    /usr/share/metainfo/gr.ombrinex.vimsel.metainfo.xml \
    /usr/share/mime/packages/gr.ombrinex.vimsel.xml \
    /usr/share/icons/hicolor/scalable/apps/gr.ombrinex.vimsel.svg \
    /usr/share/icons/hicolor/scalable/mimetypes/application-x-vimsel-project.svg \
    /usr/share/man/man1/vimsel.1.gz /usr/share/man/man1/vimsel-sketch.1.gz /usr/share/man/man1/vimsel-sim.1.gz \
    /usr/share/vimsel/Arduino/Morvane.ino.Uno.hex /usr/share/vimsel/Arduino/Morvane.ino.Mega.hex \
    /usr/share/vimsel/Arduino/Morvane.ino.Uno.elf /usr/share/vimsel/Arduino/Morvane.ino.Mega.elf
  for size in 16 22 24 32 48 64 128 256; do
    echo "/usr/share/icons/hicolor/${size}x${size}/apps/gr.ombrinex.vimsel.png"
  done
  # The program's read-only data, exactly as in the source tree.
  (cd "$src/resources" && find images Lessons -type f | sed 's|^|/usr/share/vimsel/|')
  (cd "$src" && find examples -type f | sed 's|^|/usr/share/vimsel/|')
  (cd "$src/arduino" && find libraries -type f | sed 's|^|/usr/share/vimsel/Arduino/|')
} | sort >"$scratch/expected"
if ! diff -u "$scratch/expected" "$scratch/files" >"$scratch/files.diff"; then
  fail "the package's files differ from what is expected (- missing, + stray):"
  grep '^[-+]/' "$scratch/files.diff" | head -40 >&2
fi
for dir in Lessons images; do
  diff -r "$src/resources/$dir" "$root/usr/share/vimsel/$dir" >/dev/null || fail "share/vimsel/$dir differs from the source tree"
done
diff -r "$src/examples" "$root/usr/share/vimsel/examples" >/dev/null || fail "share/vimsel/examples differs from the source tree"
# Pupils' lessons in the menu's order all there (the tree's titles are the file names).
[ -f "$root/usr/share/vimsel/Lessons/Βοήθεια/Οδηγός εκπαιδευτικού.htm" ] || fail "the teacher's guide is missing"

# Files readable by every user, programs runnable, owned by root.
bad_modes=$(dpkg-deb -c "$deb" | awk '$2 != "root/root" {print}')
[ -z "$bad_modes" ] || fail "files not owned by root: $bad_modes"
for f in /usr/bin/vimsel /usr/bin/vimsel-sketch /usr/bin/vimsel-sim; do
  [ -x "$root$f" ] || fail "$f is not executable"
done
find "$root" -type f ! -perm -a+r | grep -q . && fail "files not readable by all: $(find "$root" -type f ! -perm -a+r | head -3)"

# ---- The binaries ------------------------------------------------------------------
for f in /usr/bin/vimsel /usr/bin/vimsel-sketch /usr/bin/vimsel-sim /usr/lib/vimsel/libvimsel_browser.so /usr/lib/vimsel/libvimsel_sound.so; do
  if readelf -d "$root$f" | grep -Eq 'RPATH|RUNPATH'; then fail "$f carries a library path: $(readelf -d "$root$f" | grep -E 'RPATH|RUNPATH')"; fi
  readelf -S "$root$f" | grep -q '\.debug_info' && fail "$f is not stripped"
done
# It runs where it was unpacked: the help is Greek, the version the package's.
out=$("$root/usr/bin/vimsel" --version)
[ "$(head -1 <<<"$out" | cut -d' ' -f1-2)" = "vimsel $version" ] || fail "vimsel --version says: $out"
"$root/usr/bin/vimsel" --help | grep -q '^Χρήση: vimsel \[ΑΡΧΕΙΟ.vzl\]' || fail "vimsel --help is not the Greek help"

# ---- What the desktop reads --------------------------------------------------------
desktop=$root/usr/share/applications/gr.ombrinex.vimsel.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate refuses the desktop entry"
grep -qx 'Name=Έλεγχος συσκευών Arduino' "$desktop" || fail "the desktop entry's name is not the Greek title"
grep -q '^Categories=Education;' "$desktop" || fail "the desktop entry is not in Education"
grep -qx 'Exec=vimsel %f' "$desktop" || fail "the desktop entry does not pass the file: $(grep ^Exec "$desktop")"
grep -qx 'MimeType=application/x-vimsel-project;' "$desktop" || fail "the desktop entry does not take projects"
appstreamcli validate --no-net "$root/usr/share/metainfo/gr.ombrinex.vimsel.metainfo.xml" || fail "appstreamcli refuses the metadata"
appstreamcli validate-tree --no-net "$root" || fail "appstreamcli refuses the installed tree"
# The file type as the shared MIME database builds it.
mkdir -p "$scratch/mime/packages"
cp "$root/usr/share/mime/packages/gr.ombrinex.vimsel.xml" "$scratch/mime/packages/"
update-mime-database "$scratch/mime" >"$scratch/update-mime.log" 2>&1 || fail "update-mime-database: $(cat "$scratch/update-mime.log")"
grep -q 'application/x-vimsel-project:\*\.vzl' "$scratch/mime/globs2" || fail "*.vzl is not a project: $(cat "$scratch/mime/globs2")"
grep -q 'Πρόγραμμα' "$scratch/mime/application/x-vimsel-project.xml" || fail "the file type has no Greek description"
# The manual pages read without a warning.
for page in vimsel vimsel-sketch vimsel-sim; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$root/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null || true)
  [ -z "$warnings" ] || fail "man $page: $warnings"
  LC_ALL=C.UTF-8 man -l "$root/usr/share/man/man1/$page.1.gz" | grep -q 'ΟΝΟΜΑ' || fail "man $page shows no page"
done

[ "$failures" = 0 ] || { echo "$failures check(s) failed; the unpacked package is in $scratch" >&2; exit 1; }
rm -rf "$scratch"
echo "package $(basename "$deb") checked"

#!/bin/sh
# Installs the build under a scratch DESTDIR with its own prefix and checks what the desktop and
# the user see: the files in their places, a desktop entry and metadata that their validators
# accept, an icon of the right size for each size of the icon theme, manual pages that render
# cleanly, and the installed programs running as installed, with an empty home folder, without
# writing anything into the installed tree.
#   check_install.sh BUILD_DIR SOURCE_DIR
set -eu
build="$1"
source="$2"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
root="$scratch/root"
prefix=/opt/tarvane
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

DESTDIR="$root" cmake --install "$build" --prefix "$prefix" >/dev/null
installed="$root$prefix"
for file in bin/tarvane bin/tarvane-cli bin/tarvane-dict share/tarvane/tarvane.nut \
  share/tarvane/tarvane.bmp share/tarvane/dictionary/sample_constructed.dat \
  share/tarvane/decks/jund.txt share/tarvane/help/ja/index.html share/man/man1/tarvane.1.gz share/man/man1/tarvane-cli.1.gz \
  share/man/man1/tarvane-dict.1.gz share/icons/hicolor/scalable/apps/tarvane.svg \
  share/doc/tarvane/copyright; do
  [ -e "$installed/$file" ] || fail "$file is not installed under the prefix"
done
# The start-up script ships in the program's code page, as the program reads it.
iconv -f CP932 -t UTF-8 "$installed/share/tarvane/tarvane.nut" >/dev/null ||
  fail "the installed start-up script is not CP932"

desktop="$installed/share/applications/io.github.tarvane.Tarvane.desktop"
desktop-file-validate "$desktop" || fail "desktop-file-validate"
grep -qx 'Exec=tarvane %F' "$desktop" || fail "the desktop entry does not open files with tarvane"
grep -q '^Name\[ja\]=' "$desktop" && grep -q '^Comment\[ja\]=' "$desktop" ||
  fail "the desktop entry has no Japanese name or comment"
appstreamcli validate --no-net "$installed/share/metainfo/io.github.tarvane.Tarvane.metainfo.xml" ||
  fail "appstreamcli validate"

# A PNG's width and height are the big-endian words at bytes 16 and 20.
for size in 16 22 24 32 48 64 128 256; do
  png="$installed/share/icons/hicolor/${size}x${size}/apps/tarvane.png"
  actual=$(od -An -tu1 -j16 -N8 "$png" | awk '{print $3 * 256 + $4 "x" $7 * 256 + $8}')
  [ "$actual" = "${size}x${size}" ] || fail "icon ${size}x${size} is $actual"
done

for page in tarvane tarvane-cli tarvane-dict; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$installed/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "manual page $page: $warnings"
done

# The installed programs, as a user with an empty home folder and no base folder variables.
home="$scratch/home"
mkdir "$home"
before=$(find "$root" | sort)
run() { env -u XDG_CONFIG_HOME -u XDG_DATA_HOME -u XDG_STATE_HOME HOME="$home" "$@"; }
printf '#NAME bears\n4 Grizzly Bears\n' >"$scratch/bears.txt"
table=$(cd "$scratch" && run "$installed/bin/tarvane-cli" --utf8 --add "$installed"/share/tarvane/decks/*.txt \
  --all-decks --status) || fail "tarvane-cli on the installed sample decks"
echo "$table" | grep -q 'デッキ数 : 10' || fail "tarvane-cli did not load the ten sample decks: $table"
[ -d "$home/.config/tarvane" ] || fail "the user's config folder was not made"
run "$installed/bin/tarvane-dict" "$source/tests/data/tools/mtgjson_atomic_cards.json" >/dev/null ||
  fail "tarvane-dict without an output path"
[ -f "$home/.local/share/tarvane/dictionary/mtgjson_atomic_cards.dat" ] ||
  fail "tarvane-dict did not write into the user's dictionary folder"
run "$installed/bin/tarvane-cli" --utf8 --add "$scratch/bears.txt" --tsv | grep -q '灰色熊' ||
  fail "the user's dictionary is not read"
[ "$(find "$root" | sort)" = "$before" ] || fail "running the programs wrote into the installed tree"

# A home folder whose name the program cannot spell stops the window program with an error box;
# the error must still reach the log, in the state folder as the file system spells it.
if [ -n "${DISPLAY:-}" ]; then
  odd_home="$scratch/café"
  mkdir "$odd_home"
  HOME="$odd_home" env -u XDG_CONFIG_HOME -u XDG_DATA_HOME -u XDG_STATE_HOME "$installed/bin/tarvane" &
  program=$!
  log="$odd_home/.local/state/tarvane/tarvane_error.ini"
  for _ in $(seq 100); do grep -q '^Dump=' "$log" 2>/dev/null && break; sleep 0.1; done
  kill "$program" 2>/dev/null || true
  wait "$program" 2>/dev/null || true
  grep -q '^Dump=TtFileAccessException' "$log" 2>/dev/null ||
    fail "an unspellable home folder left no error log"
fi

[ "$failures" -eq 0 ] || exit 1
echo "install check passed"

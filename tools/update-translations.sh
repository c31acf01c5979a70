#!/bin/sh
# Brings new and changed messages from the sources into the translation files,
# translations/tarvenix_LANG.ts: a new text arrives there unfinished, to be translated
# in Qt Linguist (linguist translations/tarvenix_de.ts) or in a text editor; a text no
# longer used leaves. The build then compiles what is finished.
#   tools/update-translations.sh [--into FOLDER] [NEW_LANG...]
# NEW_LANG (such as fr or pt_BR) starts a file for another language. --into updates
# the files in FOLDER instead, as the tests do with copies to see that none is stale.
set -eu
into=""
if [ "${1:-}" = --into ]; then
    into=$(cd "$2" && pwd)
    shift 2
fi
cd "$(dirname "$0")/.."
into=${into:-$(pwd)/translations}
files=""
for ts in "$into"/tarvenix_*.ts; do
    [ ! -e "$ts" ] || files="$files $ts"
done
for lang in "$@"; do
    files="$files $into/tarvenix_$lang.ts"
done
[ -n "$files" ] || { echo "update-translations.sh: no translation files in $into" >&2; exit 2; }
LUPDATE=/usr/lib/qt5/bin/lupdate
[ -x "$LUPDATE" ] || LUPDATE=lupdate
# Without places in the sources, a file changes only when a text does.
# shellcheck disable=SC2086
"$LUPDATE" -silent -locations none -no-obsolete -I . -extensions cpp,h app cli device ui workers transfer userfiles platform words \
    -ts $files

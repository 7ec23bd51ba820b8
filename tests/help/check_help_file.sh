#!/usr/bin/env bash
# Reads the built help file back with chmls (a reader other than the compiler):
# every page of its table of contents and of its index is in the file, every
# page of help/ is in the table of contents, and the context map sends the
# numbers the program opens to their pages.
#   check_help_file.sh BUILT.chm HELP_SOURCE_FOLDER
set -euo pipefail
chm=$(realpath "$1")
source_dir=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

chmls -n list "$chm" 2>/dev/null | sed -n 's|^/||p' | sort > files.txt
chmls extracttoc "$chm" toc.hhc >/dev/null
chmls extractindex "$chm" index.hhk >/dev/null
locals() { grep -io '<param name="Local" value="[^"]*"' "$1" | sed 's/.*value="//; s/"$//' | sort -u; }
locals toc.hhc > toc-pages.txt
locals index.hhk > index-pages.txt

[ -s toc-pages.txt ] || fail "the table of contents lists no page"
[ -s index-pages.txt ] || fail "the index lists no page"
while read -r page; do
  grep -qxF "$page" files.txt || fail "the contents name $page, which the file lacks"
done < toc-pages.txt
while read -r page; do
  grep -qxF "$page" files.txt || fail "the index names $page, which the file lacks"
done < index-pages.txt
for page in "$source_dir"/*.html; do
  name=$(basename "$page")
  grep -qxF "$name" toc-pages.txt || fail "$name is not in the table of contents"
done

# The context map: chmls writes NAME.h and NAME.ali beside the file it reads.
cp "$chm" Sleevory.chm
chmls extractalias Sleevory.chm >/dev/null
page_of() { sed -n "s|^[^=]*$1=.*/||p" Sleevory.ali | tr -d '\r'; }
for expected in "1 getting-started.html" "17 album-information.html"; do
  set -- $expected
  got=$(page_of "helpid$1" || true)
  [ "$got" = "$2" ] || fail "context $1 opens '${got}', not $2"
  grep -q "define helpid$1 $1\$" Sleevory.h || fail "context $1 is not in the map"
done

echo "$(wc -l < toc-pages.txt) pages in the contents, $(wc -l < index-pages.txt) in the index"
if [ "$failures" -ne 0 ]; then echo "$failures failed"; exit 1; fi
echo "help file read back: all pages and contexts 1 and 17 found"

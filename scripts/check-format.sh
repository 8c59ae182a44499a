#!/bin/sh
# Checks that every tracked C++ file is as clang-format 14 writes it with .clang-format, and names
# the files that are not (with --verbose, each place as well). Another version of clang-format
# breaks some lines differently, so the check insists on 14. To format a file:
#   clang-format-14 -i FILE
set -e
cd "$(dirname "$0")/.."
format=$(command -v clang-format-14 || command -v clang-format || true)
if [ -z "$format" ] || ! "$format" --version | grep -q "version 14\."; then
  echo "check-format: clang-format 14 is needed (scripts/install-deps.sh installs it)" >&2
  exit 1
fi
# The tracked files by name; none has white space in its name.
files=$(git ls-files '*.cpp' '*.h' '*.hpp' '*.cc')
if report=$("$format" --dry-run --Werror $files 2>&1); then
  echo "check-format: all $(echo "$files" | wc -l) files are formatted"
  exit 0
fi
[ "$1" = "--verbose" ] && echo "$report" >&2
unformatted=$(echo "$report" | sed -n 's/^\([^: ]*\):[0-9]*:[0-9]*: error:.*/\1/p' | sort -u)
echo "$unformatted" | sed 's/^/not formatted: /' >&2
echo "check-format: $(echo "$unformatted" | wc -l) of $(echo "$files" | wc -l) files differ" \
  "from .clang-format" >&2
exit 1

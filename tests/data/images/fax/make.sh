#!/usr/bin/env bash
# Makes the modified Huffman fixtures of this folder with libtiff's own coders
# (needs gcc and libtiff-dev; the tests only read the results).
set -euo pipefail
cd "$(dirname "$0")"
gcc -O2 -o /tmp/make_mh make_mh.c -ltiff
for args in "7 11 3 1" "8 11 3 2" "9 11 3 3" "37 11 3 4" "1728 11 3 5" "2600 7 7 6"; do
  set -- $args
  /tmp/make_mh "$1" "$2" "$3" "$4" "w$1"
done
rm -f /tmp/make_mh

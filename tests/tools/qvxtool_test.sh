#!/bin/sh
# qvxtool on hand-built files: info, decode, and encode back with every method.
set -eu
tool=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
fail() { echo "FAIL: $*"; exit 1; }

# The smallest file: a 2 x 2 picture, method 0, then "EOF!".
printf 'QVx3\0\0\0\0QVXI\014\0\0\0\002\0\002\0\0\0\010\0\001\002\003\004EOF!\0\0\0\0' > small.qvx
"$tool" info small.qvx > info.txt
grep -q '^chunk QVXI size 12$' info.txt || fail "info lists the image chunk"
grep -q '^  image 2 x 2, depth 8, method 0$' info.txt || fail "info describes the image"
grep -q '^chunk EOF! size 0$' info.txt || fail "info lists the end chunk"

# A tag read from the file reaches the terminal escaped, never raw.
printf 'QVx3\0\0\0\0\033[2J\0\0\0\0QVXI\014\0\0\0\002\0\002\0\0\0\010\0\001\002\003\004EOF!\0\0\0\0' > tag.qvx
"$tool" info tag.qvx > info.txt
grep -q '^chunk \\x1B\[2J size 0$' info.txt || fail "info escapes a control byte of a tag"

"$tool" decode small.qvx small.png > out.txt 2> err.txt
[ "$(tail -n 1 out.txt)" = "result 0x00000000" ] || fail "decode result"

# Every method packs the picture back to the same pixels and palette.
for method in 0 1 2 3 6 7; do
    "$tool" encode small.png m$method.qvx --method $method --key 4 > /dev/null
    "$tool" info m$method.qvx | grep -q "method $method\$" || fail "method $method stored"
    "$tool" info m$method.qvx | grep -q '^chunk CKEY size 8$' || fail "key chunk"
    "$tool" decode m$method.qvx m$method.png > /dev/null 2>&1
    cmp -s small.png m$method.png || fail "method $method round trip"
done
"$tool" encode small.png bad.qvx --method 4 > /dev/null 2>&1 && fail "method 4 has no packer"

# Without "EOF!" the reader answers 11, and a surface is still made.
head -c 28 small.qvx > open.qvx
"$tool" decode open.qvx open.png > out.txt 2> /dev/null || fail "open stream still decodes"
[ "$(tail -n 1 out.txt)" = "result 0x0000000b" ] || fail "open stream result"

# A file that is not a picture is rejected with a one-line reason.
printf 'GIF89a..' > not.qvx
if "$tool" info not.qvx > /dev/null 2> err.txt; then fail "info accepts a non-picture"; fi
[ "$(wc -l < err.txt)" -eq 1 ] || fail "one-line reason"
if "$tool" decode not.qvx not.png > out.txt 2> /dev/null; then fail "decode made a surface"; fi
[ "$(tail -n 1 out.txt)" = "result 0x80800010" ] || fail "not-a-picture result"
echo "qvxtool: all checks passed"

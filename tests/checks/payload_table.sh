#!/bin/sh
# The packaging step refuses a malformed payload description, naming the line and the fault, before it
# writes anything the build compiles; a good one becomes the rows, counts and checksums of the table.
package=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/stage" "$work/packed" "$work/out"
printf 'hello' >"$work/stage/a.txt"
printf 'abc' >"$work/stage/b.url"
: >"$work/stage/empty.txt"
fail=0

pack() {
    "$package" pack "$work/table.txt" "$work/stage" "$work/packed" "$work/out" >"$work/log" 2>&1
}

# Expected message, a tab, then the description ("\n" separates its lines).
while IFS='	' read -r expected description; do
    printf '%b\n' "$description" >"$work/table.txt"
    rm -f "$work/out/"*
    if pack; then
        echo "accepted: $description"
        fail=1
    elif ! grep -qF "$expected" "$work/log"; then
        echo "for:      $description"
        echo "expected: $expected"
        echo "got:      $(cat "$work/log")"
        fail=1
    elif [ -n "$(ls "$work/out")" ]; then
        echo "refused, but wrote $(ls "$work/out"): $description"
        fail=1
    fi
done <<'CASES'
line 1: expected 6 columns	a.txt | Variant98 | ALPHA | - | lzhuf
line 2: unknown flag 'Variant95'	# comment\na.txt | Variant95 | ALPHA | - | lzhuf | a.txt
file name 'twenty-characters.tx' must be 1 to 19	twenty-characters.tx | Variant98 | ALPHA | - | lzhuf | a.txt
file name 'a"b.txt'	a"b.txt | Variant98 | ALPHA | - | lzhuf | a.txt
resource name '9LIVES'	a.txt | Variant98 | 9LIVES | - | lzhuf | a.txt
resource name 'alpha'	a.txt | Variant98 | alpha | - | lzhuf | a.txt
shortcut name 'a-shortcut-of-22-chars' must be '-' or	a.txt | Variant98 | ALPHA | a-shortcut-of-22-chars | lzhuf | a.txt
packing 'zip'	a.txt | Variant98 | ALPHA | - | zip | a.txt
line 2: resource ALPHA named twice	a.txt | | ALPHA | - | lzhuf | a.txt\nb.url | | ALPHA | - | stored | b.url
source '../a.txt'	a.txt | Variant98 | ALPHA | - | lzhuf | ../a.txt
cannot open	a.txt | Variant98 | ALPHA | - | lzhuf | missing.txt
an empty file can only be stored	a.txt | Variant98 | ALPHA | - | lzhuf | empty.txt
no rows	# only a comment
CASES

# Eleven rows: one more than the compiled record holds.
: >"$work/table.txt"
for n in 0 1 2 3 4 5 6 7 8 9 10; do
    echo "a$n.txt | Variant98 | R$n | - | lzhuf | a.txt" >>"$work/table.txt"
done
if pack || ! grep -qF "line 11: the file table holds at most 10 rows" "$work/log"; then
    echo "eleven rows: $(cat "$work/log")"
    fail=1
fi

# A good description. The shortcut count looks at the first character only, as the shortcut pass does;
# a row without flags is spelled 0; a stored row has packedSize 0. The checksums are CRC-32s that any
# zip tool gives: "hello" 3610A686, "abc" 352441C2.
printf '%s\n' '# two rows' 'a.txt | Variant98 VariantXP | ALPHA | -x | lzhuf | a.txt' \
    '  Go b.url|   |BETA|Web site|stored|b.url  ' >"$work/table.txt"
if ! pack; then
    echo "good table refused: $(cat "$work/log")"
    fail=1
else
    expect_line() {  # file, line
        grep -qxF "$2" "$1" || { echo "$(basename "$1") lacks: $2"; echo "$(cat "$1")"; fail=1; }
    }
    packed=$(stat -c %s "$work/packed/ALPHA.lz")
    expect_line "$work/out/file_table.inc" "        {\"a.txt\", Variant98 | VariantXP, \"ALPHA\", \"-x\", 5, $packed},"
    expect_line "$work/out/file_table.inc" '        {"Go b.url", 0, "BETA", "Web site", 3, 0},'
    expect_line "$work/out/file_table.inc" '    2,'
    expect_line "$work/out/file_table.inc" '    1,'
    expect_line "$work/out/file_checksums.inc" '    0x3610A686u,  // ALPHA'
    expect_line "$work/out/file_checksums.inc" '    0x352441C2u,  // BETA'
    expect_line "$work/out/payload.rc" "BETA RCDATA \"$work/packed/BETA.stored\""
    cmp -s "$work/stage/b.url" "$work/packed/BETA.stored" || { echo "stored row not copied as it is"; fail=1; }
fi

[ $fail -eq 0 ] && echo "payload description checks passed"
exit $fail

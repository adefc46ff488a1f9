#!/bin/sh
# setup.exe must be a 32-bit GUI program that imports system DLLs only, and no msvcrt
# function that Windows 98, 2000 and XP lack (the *_s family).
exe=$1
fail=0
headers=$(i686-w64-mingw32-objdump -p "$exe")
echo "$headers" | grep -q '^Magic[[:space:]]*010b' || { echo "not a PE32 (32-bit) image"; fail=1; }
echo "$headers" | grep -q '^Subsystem[[:space:]]*00000002' || { echo "not a Windows GUI program"; fail=1; }
echo "$headers" | grep -q 'i386' || { i686-w64-mingw32-objdump -f "$exe" | grep -q 'i386' || { echo "not i386"; fail=1; }; }
allowed='^(KERNEL32|USER32|GDI32|ADVAPI32|SHELL32|OLE32|COMCTL32|msvcrt)\.dll$'
dlls=$(echo "$headers" | sed -n 's/^[[:space:]]*DLL Name: //p')
for dll in $dlls; do
    echo "$dll" | grep -qiE "$allowed" || { echo "imports a non-system DLL: $dll"; fail=1; }
done
secure=$(echo "$headers" | awk '/DLL Name: msvcrt.dll/ {m=1; next} /DLL Name:/ {m=0} m && $NF ~ /_s$/ {print $NF}')
if [ -n "$secure" ]; then
    echo "imports msvcrt functions missing on Windows 98/2000/XP: $secure"
    fail=1
fi
echo "imports: $(echo $dlls)"
[ $fail -eq 0 ] && echo "PE checks passed"
exit $fail

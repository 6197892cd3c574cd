#!/usr/bin/env bash
# Fails when a program or plug-in in the given folder imports a DLL that a stock
# Windows does not have (the list is tools/system_dlls.txt). Wine brings
# builtin versions of some such DLLs (zlib1.dll among them), so a program that
# starts under Wine can still fail to start on Windows.
#   tools/check_imports.sh <folder>
set -euo pipefail
folder=$1
here=$(cd "$(dirname "$0")" && pwd)
objdump=${OBJDUMP:-x86_64-w64-mingw32-objdump}
allowed=$(grep -v '^#' "$here/system_dlls.txt" | tr -d '\r' | tr 'A-Z' 'a-z' | sed '/^$/d')

failed=0
found=0
while IFS= read -r -d '' binary; do
    found=1
    name=${binary#"$folder"/}
    if ! headers=$("$objdump" -p "$binary" 2>&1); then
        echo "check_imports: cannot read the imports of $name: $headers" >&2
        failed=1
        continue
    fi
    # Delay-loaded DLLs are listed the same way; they fail as late as their first use.
    while read -r dll; do
        if ! grep -qxF "$(echo "$dll" | tr 'A-Z' 'a-z')" <<<"$allowed"; then
            echo "check_imports: $name imports $dll, which Windows does not have (allowed: tools/system_dlls.txt)" >&2
            failed=1
        fi
    done < <(sed -n 's/^[[:space:]]*DLL Name: *//p' <<<"$headers" | tr -d '\r')
done < <(find "$folder" -type f \( -iname '*.exe' -o -iname '*.dll' \) -print0)

if [ "$found" -eq 0 ]; then
    echo "check_imports: no .exe or .dll in $folder" >&2
    exit 1
fi
exit "$failed"

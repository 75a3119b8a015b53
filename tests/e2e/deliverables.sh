#!/usr/bin/env bash
# The shipped program is a 32-bit Windows GUI executable with its 32-bit libraries beside it.
set -euo pipefail
dir=${QUORLO_DELIVERABLES:?set by scripts/test.sh to the 32-bit build}/
fail=0
check() {  # file pattern
  local kind
  kind=$(file -b "$dir$1")
  if [[ "$kind" != *$2* ]]; then echo "FAIL: $1 is '$kind', expected '$2'"; fail=1; else echo "ok: $1: $kind"; fi
}
check Quorlo.exe "PE32 executable (GUI) Intel 80386"
check ZmbvSetup.exe "PE32 executable (console) Intel 80386"
for dll in Zmbv.dll Tindrel.dll Sabrun.dll Vcl.dll libstdc++-6.dll libgcc_s_dw2-1.dll libwinpthread-1.dll; do
  check "$dll" "PE32 executable (DLL)"
  check "$dll" "Intel 80386"
done
# Other programs load the codec from anywhere: it must not need Quorlo's runtime DLLs.
imports=$(i686-w64-mingw32-objdump -p "${dir}Zmbv.dll" | awk '/DLL Name/ { print $3 }' | tr '\n' ' ')
if [[ "$imports" == *lib* ]]; then echo "FAIL: Zmbv.dll imports $imports"; fail=1; else echo "ok: Zmbv.dll imports $imports"; fi
exit $fail

#!/usr/bin/env bash
# Checks the bash completion: option words before the image file name, file
# names for the image file name, nothing for the address texts; the words
# come from the help of the Tollivex in TOOL_DIR.
#   completion_test.sh COMPLETION_FILE TOOL_DIR
set -euo pipefail
# shellcheck source=/dev/null
source "$1"
PATH=$2:$PATH
complete -p Tollivex | grep -q -- '-F _Tollivex' || { echo "not registered"; exit 1; }

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir"
touch app.s19 apple.txt ./-x
mkdir sub

# Completes the last of the words as bash would and prints the candidates.
candidates() {
  COMP_WORDS=("$@")
  COMP_CWORD=$(($# - 1))
  _Tollivex
  ((${#COMPREPLY[@]} == 0)) || printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' '
}

fail=0
while IFS='|' read -r line want; do
  read -ra words <<<"$line"
  [ "${line: -1}" = " " ] && words+=("")  # A line ending in a space: empty word.
  got=$(candidates "${words[@]}")
  if [ "$got" != "$want" ]; then
    echo "'$line': got '$got', want '$want'"
    fail=1
  fi
done <<'CASES'
Tollivex -word -k|-ke -kin 
Tollivex -no|-no-sync 
Tollivex -seed 5 -fill |keyed random 
Tollivex -vmem -width 3|32 32-be 
Tollivex -ih|-ihex 
Tollivex -cr|-crc -crc-model -crlf 
Tollivex -crc crc32-s|crc32-stm32: 
Tollivex -count -reclen 16 -addrsize |2 3 4 
Tollivex -crc crc16-x|crc16-xmodem: 
Tollivex -lpc -s0|-s08p 
Tollivex -nrf|-nrf51 -nrf52 -nrf53 -nrf54l -nrf91 -nrf91x1 
Tollivex -st|-stm32f0 -stm32f1 -stm32f4 -stm32f7 -stm32g0 -stm32g4 -stm32l0 -stm32l1 -stm32l4 -strict 
Tollivex -o ap|app.s19 apple.txt 
Tollivex -o app.s19 |
Tollivex -allow|-allow-brick 
Tollivex -P|
Tollivex -entry 0 -header x ap|app.s19 apple.txt 
Tollivex -bin -h|-h -hcs08 -hcs12 -header 
Tollivex --p|--profiles 
Tollivex -avr -f2833x ap|app.s19 apple.txt 
Tollivex -pin 0x40C=FE -- -|-x 
Tollivex -seed |
Tollivex --v|--version 
Tollivex ap|app.s19 apple.txt 
Tollivex -WORD -Hcs08 ap|app.s19 apple.txt 
Tollivex su|sub 
Tollivex -- -|-x 
Tollivex app |
Tollivex app 0 0x|
Tollivex -- app ap|
Tollivex -x ap|
Tollivex --help |
CASES
[ "$fail" = 0 ] && echo "bash completion works"
exit "$fail"

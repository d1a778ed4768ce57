#!/usr/bin/env bash
# trindel-cli calc: results with units, JSON, the list, and exit status 1 for impossible inputs.
set -uo pipefail
cli="$1"
fail=0
check() {  # name, expected, actual
    if [ "$2" != "$3" ]; then
        echo "FAIL $1: expected [$2], got [$3]" >&2
        fail=1
    fi
}
check stp "STP flow: 186.35 SCCM" "$("$cli" calc stp --flow 200 --temperature 20)"
check stp-json '{"calculator":"stp","results":{"stp_flow":{"value":0.1863481229,"text":"0.1863481229","unit":"SLPM"}}}' \
    "$("$cli" calc stp --flow 200 --temperature 20 --slpm --json)"
check sun "Sunrise: 4:48 local solar time" \
    "$("$cli" calc sun --lat 33.95 --lon -117.33 --date 2026-06-21 | sed -n 2p)"
check sun-year "366" "$("$cli" calc sun --lat 51.5 --lon -0.13 --year --csv | wc -l | tr -d ' ')"
check list "12" "$("$cli" calc --list | grep -c '^[a-z]')"
"$cli" calc stp --volume 10 --seconds 0 >/dev/null 2>&1
check zero-time "1" "$?"
"$cli" calc po2 --temperature warm >/dev/null 2>&1
check not-a-number "1" "$?"
"$cli" calc >/dev/null 2>&1
check no-name "1" "$?"
[ "$fail" = 0 ] && echo "calc commands behave"
exit "$fail"

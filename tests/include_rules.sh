#!/usr/bin/env bash
# Each room of src/ may include only the rooms below it; this fails on any include that breaks
# the floors, so the layout cannot drift back into circles.
set -euo pipefail
cd "$1/src"

allowed_for() {
    case "$1" in
        platform | text) echo "" ;;
        state) echo "platform" ;;
        devices) echo "state text platform signal" ;;
        signal | control | files | display | ui | calculators) echo "state text platform" ;;
        run) echo "state text platform signal devices control files display ui calculators" ;;
        *) echo "UNKNOWN" ;;
    esac
}

failures=0
while IFS= read -r file; do
    room="${file%%/*}"
    allowed="$(allowed_for "$room")"
    if [ "$allowed" = "UNKNOWN" ]; then
        echo "$file: room '$room' has no include rule" >&2
        failures=$((failures + 1))
        continue
    fi
    while IFS= read -r target; do
        other="${target%%/*}"
        [ "$other" = "$room" ] && continue
        if [[ " $allowed " != *" $other "* ]]; then
            echo "$file includes $target: $room may include only: ${allowed:-nothing}" >&2
            failures=$((failures + 1))
        fi
    done < <(sed -n 's/^#include "\([a-z_]*\/[^"]*\)".*/\1/p' "$file")
done < <(find . -name '*.h' -o -name '*.cpp' | sed 's|^\./||' | sort)

if [ "$failures" -gt 0 ]; then
    echo "$failures include(s) break the room rules" >&2
    exit 1
fi
echo "include rules hold"

#!/usr/bin/env bash
# End-to-end use of trindel-cli: record on the demonstration source, describe, convert, and refuse
# damaged files with one line and exit status 1.
set -euo pipefail
cli="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$cli" record --channels 3 --interval 0.01 --samples 25 -o "$work/run.kstn" >/dev/null 2>&1 \
    || fail "record"
info=$("$cli" info "$work/run.kstn")
grep -q "Samples: *25 per channel" <<<"$info" || fail "sample count: $info"
grep -q "Interval: *0.01 s" <<<"$info" || fail "interval: $info"
grep -q "Channels: *3" <<<"$info" || fail "channels: $info"

json=$("$cli" info --json "$work/run.kstn")
python3 -c 'import json,sys; d=json.loads(sys.argv[1]); assert len(d["channels"])==3, d' "$json" \
    || fail "json: $json"

# Demonstration values lie in 0.201 to 1.000 V; with the identity conversion the text shows them.
"$cli" convert "$work/run.kstn" --to text -o "$work/run.txt" >/dev/null 2>&1 || fail "convert text"
python3 - "$work/run.txt" <<'PY' || fail "text values out of range"
import sys
rows = [l.split("\t") for l in open(sys.argv[1], newline="").read().split("\r") if l.strip()]
values = [float(x) for r in rows for x in r if x.strip() and x.strip().lstrip("-").replace(".", "", 1).isdigit()]
data = [v for v in values if 0 < v < 2]
assert len(data) >= 75, len(data)
assert all(0.2009 <= v <= 1.0001 for v in data), [v for v in data if not 0.2009 <= v <= 1.0001][:5]
PY
"$cli" info "$work/run.txt" | grep -q "Samples: *25" || fail "info of the text export"

"$cli" convert "$work/run.kstn" --to expedata -o "$work/run.sabl" >/dev/null 2>&1 \
    || fail "convert expedata"
"$cli" info "$work/run.sabl" | grep -q "Samples: *25" || fail "info of the ExpeData export"

"$cli" record --channels 2 --interval 0.01 --samples 10 --format text -o "$work/direct.txt" \
    >/dev/null 2>&1 || fail "record as text"
"$cli" info "$work/direct.txt" | grep -q "Samples: *10" || fail "info of a recorded text file"

# An AO data file's script runs during the recording; --verbose prints each value with its time
# (the demonstration source has no output, so nothing is sent).
python3 - "$work/two steps.ao" <<'PY'
import struct, sys
script = [[0.0] * 7 for _ in range(101)]
script[0][1] = 2
script[1][1:4] = [1.5, 0.01, 2]   # 1.5 V for 36 ticks
script[2][1:4] = [3.0, 1.0, 3]    # then 3 V
script[7][0] = script[8][0] = script[9][0] = script[10][0] = 1
data = b"".join(struct.pack(">7f", *row) for row in script) + bytes(2828) + bytes(26)
assert len(data) == 5682
open(sys.argv[1], "wb").write(data)
PY
out=$("$cli" record --channels 1 --interval 0.1 --samples 15 --ao "$work/two steps.ao" --verbose \
    -o "$work/ao.kstn" 2>/dev/null) || fail "record with --ao"
grep -Eq "output at 0\.00 s: AO1 1\.500 V \(not sent\)" <<<"$out" || fail "first output: $out"
grep -Eq "output at 0\.[6-9][0-9] s: AO1 3\.000 V" <<<"$out" || fail "second output: $out"
set +e
"$cli" record --channels 1 --samples 5 --ao "$work/missing.ao" -o "$work/x.kstn" >/dev/null 2>&1
[ $? -eq 1 ] || fail "a missing AO data file was accepted"
set -e

# Damaged input: one line on stderr, status 1, never a crash.
head -c 60 "$work/run.kstn" >"$work/cut.kstn"
for bad in "$work/cut.kstn" "$work/missing.kstn" "$work"; do
    set +e
    err=$("$cli" info "$bad" 2>&1 >/dev/null)
    status=$?
    set -e
    [ "$status" -eq 1 ] || fail "status $status for $bad"
    [ "$(wc -l <<<"$err")" -eq 1 ] || fail "error is not one line for $bad: $err"
done
set +e
"$cli" record --channels 40 -o "$work/x.kstn" >/dev/null 2>&1
[ $? -eq 1 ] || fail "impossible channel count accepted"
set -e
# Scope mode: numbered sweep files in the format asked for; bad scope settings are refused.
"$cli" record --mode scope --scope-samples 100 --scope-interval 0.001 --sweeps 2 --format text \
    -o "$work/sweep" >/dev/null 2>&1 || fail "scope record"
[ -f "$work/sweep 1" ] && [ -f "$work/sweep 2" ] || fail "sweep files: $(ls "$work")"
head -c 10 "$work/sweep 2" | grep -q "Time (sec)" || fail "sweep 2 is not a scope text file"
[ "$(tr '\r' '\n' <"$work/sweep 2" | grep -c '[0-9]')" -eq 101 ] || fail "sweep text rows"
for bad in "--scope-interval 0" "--scope-samples 5" "--scope-samples 99999"; do
    set +e
    # shellcheck disable=SC2086
    "$cli" record --mode scope --sweeps 1 $bad -o "$work/bad" >/dev/null 2>&1
    status=$?
    set -e
    [ "$status" -eq 1 ] || fail "scope setting '$bad' accepted"
done
echo "cli end-to-end: ok"

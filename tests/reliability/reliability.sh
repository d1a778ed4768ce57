#!/usr/bin/env bash
# What a lab expects of a long recording: signals stop and save it, a closed pipe does not end it,
# unwritable outputs and bad arguments are refused before recording, and convert never writes over
# its own source, whatever path or link names it.
set -uo pipefail
cli=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
samplesIn() { "$cli" info "$1" 2>/dev/null | sed -n 's/^Samples: *\([0-9]*\) per channel.*/\1/p'; }

# SIGTERM, SIGHUP and SIGINT each stop the recording and save what was recorded.
for sig in TERM HUP INT; do
    "$cli" record --interval 0.01 --samples 100000 -o "sig$sig.kstn" >/dev/null 2>&1 &
    pid=$!
    sleep 1
    kill -"$sig" "$pid"
    wait "$pid"
    status=$?
    n=$(samplesIn "sig$sig.kstn")
    [[ $status -eq 0 && -n $n && $n -ge 20 ]] || fail "SIG$sig: exit $status, samples '${n}'"
done

# A saved recording leaves no journal behind.
leftover=$(find . -name '*.journal' | head -1)
[[ -z $leftover ]] || fail "a saved recording left $leftover"

# SIGKILL after 5 s: the journal beside the output holds all but the last seconds, and recover
# rebuilds the recording from it where the run was writing.
"$cli" record --interval 0.01 --samples 100000 -o killed.kstn >/dev/null 2>&1 &
pid=$!
sleep 5
kill -KILL "$pid"
wait "$pid" 2>/dev/null
[[ -f killed.kstn.journal && ! -e killed.kstn ]] || fail "SIGKILL: no journal, or a file"
cp killed.kstn.journal torn.journal
# A second run onto the same output refuses to write over the unsaved journal.
refusal=$("$cli" record --interval 0.01 --samples 5 -o killed.kstn 2>&1 >/dev/null)
[[ $? -eq 1 && $refusal == *"recover"* ]] || fail "record over a left journal: $refusal"
"$cli" recover killed.kstn.journal >/dev/null 2>&1 || fail "recover after SIGKILL"
n=$(samplesIn killed.kstn)
[[ -n $n && $n -ge 300 ]] || fail "SIGKILL after 5 s: recovered '${n}' samples, want >= 300"
[[ ! -e killed.kstn.journal ]] || fail "journal kept after a whole recovery"
# The same journal with its last block torn: what is whole is recovered and the loss is named.
truncate -s -7 torn.journal
out=$("$cli" recover torn.journal -o torn.txt --to text 2>&1 >/dev/null)
[[ $? -eq 0 && $out == *"incomplete last block"* && -s torn.txt && -e torn.journal ]] ||
    fail "torn journal: $out"
# Not a journal: refused with one line.
out=$("$cli" recover src-none.journal 2>&1)
[[ $? -eq 1 && $(wc -l <<<"$out") -eq 1 ]] || fail "missing journal: $out"

# A full disk during the save (a file-size limit stands in for it): the save fails with the
# reason, the previous file stays whole, no temporary file stays, and the journal keeps the run.
printf 'previous\n' >full.txt
out=$(ulimit -f 250; "$cli" record --channels 16 --interval 0.002 --samples 2500 --format text \
    -o full.txt 2>&1 >/dev/null)
status=$?
[[ $status -eq 1 && $out == *"too large"* && $out == *"full.txt.journal"* ]] ||
    fail "full disk: exit $status: $out"
[[ $(cat full.txt) == previous ]] || fail "full disk: the previous file was changed"
[[ -z $(find . -name '.*.tmp*') ]] || fail "full disk left a temporary file"
"$cli" recover full.txt.journal --to binary -o full.kstn >/dev/null 2>&1 &&
    [[ $(samplesIn full.kstn) == 2500 ]] || fail "full disk: the journal did not recover the run"

# A second signal during the save: the save finishes and no temporary file stays behind.
"$cli" record --channels 16 --interval 0.0002 --samples 2000000 --format text -o twice.txt \
    >/dev/null 2>&1 &
pid=$!
sleep 3
kill -INT "$pid"
sleep 0.01
kill -TERM "$pid" 2>/dev/null
wait "$pid"
status=$?
[[ $status -eq 0 && -n $(samplesIn twice.txt) ]] || fail "second signal: exit $status"
leftover=$(find . -name '.*.tmp*' | head -1)
[[ -z $leftover ]] || fail "second signal left $leftover"

# stderr's pipe closes at the first progress line; the recording goes on and is saved.
"$cli" record --interval 0.01 --samples 300 -o pipe.kstn 2>&1 >/dev/null | head -c 1 >/dev/null
status=${PIPESTATUS[0]}
[[ $status -eq 0 && $(samplesIn pipe.kstn) == 300 ]] || fail "closed stderr: exit $status"

# Outputs and arguments refused at once, with exit status 1, before anything is recorded.
mkdir folder
mkfifo fifo
refuse() {
    local what="$1"
    shift
    local start=$SECONDS out
    out=$(timeout 20 "$cli" record "$@" 2>&1 >/dev/null)
    local status=$?
    [[ $status -eq 1 && $((SECONDS - start)) -lt 3 && $(wc -l <<<"$out") -eq 1 ]] ||
        fail "$what: exit $status after $((SECONDS - start)) s: $out"
}
refuse "missing folder" --interval 1 --samples 5 -o nofolder/x.kstn
refuse "empty name" --interval 1 --samples 5 -o ""
refuse "trailing slash" --interval 1 --samples 5 -o dir/
refuse "onto a folder" --interval 1 --samples 5 -o folder
refuse "onto a FIFO" --interval 1 --samples 5 -o fifo
refuse "--samples 0" -o x.kstn --samples 0
refuse "--duration 0" -o x.kstn --duration 0
refuse "--duration nan" -o x.kstn --duration nan
if [[ $(id -u) -ne 0 ]]; then
    mkdir readonly && chmod 555 readonly
    refuse "read-only folder" --interval 1 --samples 5 -o readonly/x.kstn
else
    echo "skipped: read-only folder (root writes anywhere)"
fi
[[ ! -e x.kstn && ! -e folder/x.kstn ]] || fail "a refused record left a file"

# convert onto its own source through ./, an absolute path and a symbolic link.
"$cli" record --interval 0.01 --samples 20 -o src.kstn >/dev/null 2>&1 || fail "record src"
before=$(md5sum <src.kstn)
ln -s src.kstn link.kstn
for out in ./src.kstn "$work/src.kstn" link.kstn; do
    if "$cli" convert src.kstn --to text -o "$out" >/dev/null 2>&1; then
        fail "convert onto $out accepted"
    fi
done
[[ $(md5sum <src.kstn) == "$before" ]] || fail "convert changed its source"
# Onto a link to another file: the link stays and its target is written.
ln -s target.txt tlink.txt
"$cli" convert src.kstn --to text -o tlink.txt >/dev/null 2>&1 || fail "convert through a link"
[[ -L tlink.txt && -s target.txt ]] || fail "link replaced or target not written"
if timeout 10 "$cli" convert src.kstn --to text -o fifo >/dev/null 2>&1; then
    fail "convert onto a FIFO accepted"
fi
[[ -p fifo ]] || fail "FIFO replaced"

# info --json is valid JSON for a file name that is not UTF-8.
name=$(printf 'r\xff\xc3(.kstn')
cp src.kstn "$name"
"$cli" info --json "$name" | python3 -c 'import json, sys; json.loads(sys.stdin.buffer.read().decode("utf-8"))' ||
    fail "info --json on a non-UTF-8 name is not JSON"

# info on a 3 GB sparse file under a 2 GB address-space limit: one line and exit status 1.
# A sanitizer build cannot start under an address-space limit (its shadow memory alone is
# terabytes of reservation), so there the case is left to the plain build.
if [[ "$(ldd "$cli" 2>/dev/null)" == *libasan* ]]; then
    echo "skipped: 3 GB sparse file under ulimit -v (sanitizer build)"
else
    truncate -s 3G sparse.kstn
    out=$(ulimit -v 2000000; timeout 60 "$cli" info sparse.kstn 2>&1)
    status=$?
    [[ $status -eq 1 && $(wc -l <<<"$out") -eq 1 ]] || fail "3 GB sparse file: exit $status: ${out:0:200}"
fi

if [[ $failures -gt 0 ]]; then
    echo "$failures failed"
    exit 1
fi
echo "reliability: all passed"

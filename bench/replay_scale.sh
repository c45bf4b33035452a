#!/usr/bin/env bash
# Replay at scale, the way a user runs it: `korvu run` on the example model with generated
# transcripts of 1 000, 10 000 and 100 000 CreateGDTSymbol lines (frames on the front view's
# edges, spread over the sheet). Prints, for each, the time, the requests per second and the
# peak memory of the whole run (model, replay, save). Run after `tools/build.sh main`.
set -euo pipefail
cd "$(dirname "$0")/.."
korvu=${KORVU:-build/release/bin/korvu}
[ -x "$korvu" ] || { echo "build first: tools/build.sh main" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sizes=${*:-1000 10000 100000}

printf '%8s %9s %12s %10s\n' lines seconds requests/s peak_MB
for n in $sizes; do
    awk -v n="$n" 'BEGIN {
        for (i = 0; i < n; ++i) {
            x = 10 + (i % 40) * 10; y = 10 + int(i / 40) % 28 * 10; edge = i % 7 + 1
            printf "CreateGDTSymbol TDXVersion=1 Arrow=28029 Intent=@\"DLxViewInstance#Sheet 1/Front\" "
            printf "Intent_Edge=%d Intent_Param=0.5 Intent_Point=(0,0,0) Points=[(140,230,0),(%d,%d,0)] ", edge, x, y
            printf "AllAround=false DisplayLeader=true Fields_Count=7 Fields_0=\"\" Fields_1=\"10\" "
            printf "Fields_2=\"0.1\" Fields_3=\"\" Fields_4=\"A\" Fields_5=\"B\" Fields_6=\"\" "
            printf "FieldsVisibility=[3,3,3,3,3,3,3] LinesFramed=[true] Create=true LayerStyle=null "
            printf "FCFStyle=@\"DUxFeatureControlFrameStyle#ANSI\"\n"
        }
    }' > "$work/t.txt"
    /usr/bin/time -f '%e %M' -o "$work/time" "$korvu" run examples/assembly.json "$work/t.txt" \
        -o "$work/d.kvd" > /dev/null
    read -r secs kb < "$work/time"
    awk -v n="$n" -v s="$secs" -v kb="$kb" \
        'BEGIN { printf "%8d %9.2f %12.0f %10.1f\n", n, s, (s > 0 ? n / s : 0), kb / 1024 }'
done

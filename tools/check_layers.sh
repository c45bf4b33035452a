#!/usr/bin/env bash
# Fails when a source file includes a header of a folder it may not depend on. The host's
# libraries are layers, each using only those below it; the module uses the host and never the
# program; the program reaches the module only through the applet extension, never its headers.
# An include is resolved as the compiler does: beside the including file, then host/, win/ and
# module/ (the include folders of the targets); headers found nowhere (the system's, generated
# ones) are not ours and are skipped.
#
# `check_layers.sh --host-only BINARY...` checks instead that none of the given programs needs
# the module's library: host tests link the host alone.
set -euo pipefail

if [ "${1:-}" = --host-only ]; then
    shift
    bad=0
    for f in "$@"; do
        if readelf -d "$f" | grep -q 'NEEDED.*\[libkorvu\.so\]'; then
            echo "$f needs libkorvu.so: a host test links the host only"
            bad=1
        fi
    done
    exit $bad
fi

cd "$(dirname "$0")/.."

# A folder and the folders it may include besides itself; "host" stands for every host library.
# A host library missing here fails the check: place it in the order before using it.
table='
win:
ge:     win
utx:    win ge
xl:     win ge utx
bom:    win ge utx xl
rse:    win ge utx
dc:     win ge utx rse
rd:     win ge utx rse dc
ufr:    win ge utx rse dc rd
fw:     win ge utx rse dc rd ufr
sm:     win ge utx rse dc rd ufr fw
fb:     win ge utx rse dc rd ufr fw sm
uc:     win ge utx rse dc rd ufr fw sm fb
br:     win ge utx rse dc rd ufr fw sm fb uc
du:     win ge utx rse dc rd ufr fw sm fb uc br
dl:     win ge utx rse dc rd ufr fw sm fb uc br du
render: win ge utx rse dc rd ufr fw sm fb uc br du dl
module: host win
app:    host win
'

files=$(find host win module app -type f \( -name '*.h' -o -name '*.hpp' -o -name '*.cpp' \) | sort)
# The known files first (one a line), then every quoted include as "file:line:text".
{
    printf '%s\n' "$files"
    echo '--'
    # shellcheck disable=SC2086
    grep -Hn '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' $files || true
} | awk -v table="$table" '
function unit(path,    p) {
    n = split(path, p, "/")
    if (p[1] == "host") return n > 2 ? p[2] : "host"
    return p[1]
}
function normal(path,    p, n, i, k, out) {
    n = split(path, p, "/"); k = 0
    for (i = 1; i <= n; i++) {
        if (p[i] == "." || p[i] == "") continue
        if (p[i] == ".." && k > 0) { k--; continue }
        q[++k] = p[i]
    }
    out = ""
    for (i = 1; i <= k; i++) out = out (i > 1 ? "/" : "") q[i]
    return out
}
function resolve(from, inc,    dir, c) {
    dir = from; sub(/[^\/]*$/, "", dir)
    c = normal(dir inc); if (c in known) return c
    c = normal("host/" inc); if (c in known) return c
    c = normal("win/" inc); if (c in known) return c
    c = normal("module/" inc); if (c in known) return c
    return ""
}
BEGIN {
    nl = split(table, lines, "\n")
    for (i = 1; i <= nl; i++) {
        if (lines[i] !~ /:/) continue
        name = lines[i]; sub(/:.*/, "", name)
        rest = lines[i]; sub(/^[^:]*:/, "", rest)
        listed[name] = 1
        nw = split(rest, w, " ")
        for (j = 1; j <= nw; j++) allowed[name, w[j]] = 1
        if (name != "module" && name != "app" && name != "win") hostlib[name] = 1
    }
    phase = 1; bad = 0
}
phase == 1 && $0 == "--" { phase = 2; next }
phase == 1 { known[$0] = 1; u = unit($0); if (u != "host" && !(u in listed)) stray[u] = $0; next }
{
    file = $0; sub(/:.*/, "", file)
    rest = substr($0, length(file) + 2)
    ln = rest; sub(/:.*/, "", ln)
    inc = rest; sub(/^[^"]*"/, "", inc); sub(/".*/, "", inc)
    target = resolve(file, inc)
    if (target == "") next
    from = unit(file); to = unit(target)
    if (from == to || (from, to) in allowed || ((to in hostlib) && (from, "host") in allowed))
        next
    printf "%s:%s: %s may not include %s (%s)\n", file, ln, from, to, target
    bad = 1
}
END {
    for (u in stray) {
        printf "%s: folder %s is not in the layer table of tools/check_layers.sh\n", stray[u], u
        bad = 1
    }
    exit bad
}'

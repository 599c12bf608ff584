#!/bin/sh
# Fails when a file of a layer includes a header of a layer above it or
# beside it. The layers, lowest first:
#   game <- platform <- widgets <- setup, print, extras <- app
# The three features sit side by side and include none of each other.
#
# The build already refuses such an include (each library sees only its own
# include root and those of the layers below it; the test "walls" proves
# it); this is the fast first check, with a message that names the rule.
# Every file under a layer folder is read, subfolders too, and every
# spelling counts: "widgets/units.h", <widgets/units.h>, and a relative
# "../widgets/include/widgets/units.h", which is resolved from the including
# file's folder the way the compiler resolves it.
#   sh scripts/check-layers.sh [SOURCE_DIR]
cd "${1:-$(dirname "$0")/..}" || exit 2

find game platform widgets setup print extras app -type f \
    \( -name '*.h' -o -name '*.hpp' -o -name '*.cpp' -o -name '*.cc' \) 2>/dev/null |
    sort |
    awk '
BEGIN {
    allowed["game"] = " game "
    allowed["platform"] = " game platform "
    allowed["widgets"] = " game platform widgets "
    allowed["setup"] = " game platform widgets setup "
    allowed["print"] = " game platform widgets print "
    allowed["extras"] = " game platform widgets extras "
    allowed["app"] = " game platform widgets setup print extras app "
    bad = 0
}

# The path with "." and ".." folded in; "" when it climbs above the root.
function fold(path,    n, parts, stack, depth, i, out) {
    n = split(path, parts, "/")
    depth = 0
    for (i = 1; i <= n; i++) {
        if (parts[i] == "" || parts[i] == ".")
            continue
        if (parts[i] == "..") {
            if (depth == 0)
                return ""
            depth--
            continue
        }
        stack[++depth] = parts[i]
    }
    out = ""
    for (i = 1; i <= depth; i++)
        out = out (i > 1 ? "/" : "") stack[i]
    return out
}

function exists(path,    line, ok) {
    ok = (getline line < path) >= 0
    close(path)
    return ok
}

# The layer a spelled path names, read from its folders: the first folder
# that is a layer, after any leading "." and ".." ("../print/amount.h",
# "print/amount.h"); "" for a header of no layer (<QWidget>, "support/x.h").
function named_layer(path,    n, parts, i) {
    n = split(path, parts, "/")
    for (i = 1; i < n; i++) {
        if (parts[i] == "" || parts[i] == "." || parts[i] == "..")
            continue
        return (parts[i] in allowed) ? parts[i] : ""
    }
    return ""
}

{
    file = $0
    split(file, top, "/")
    layer = top[1]
    folder = file
    sub(/\/[^\/]*$/, "", folder)
    lineno = 0
    while ((getline text < file) > 0) {
        lineno++
        if (text !~ /^[ \t]*#[ \t]*include[ \t]*[<"]/)
            continue
        quoted = text ~ /^[ \t]*#[ \t]*include[ \t]*"/
        target = text
        sub(/^[ \t]*#[ \t]*include[ \t]*[<"]/, "", target)
        sub(/[>"].*$/, "", target)

        # A quoted name is looked for beside the including file first, as
        # the compiler does; otherwise its folders say which layer it names.
        hit = named_layer(target)
        beside = quoted ? fold(folder "/" target) : ""
        if (beside != "" && exists(beside)) {
            split(beside, parts, "/")
            hit = (parts[1] in allowed) ? parts[1] : ""
        }
        if (hit != "" && index(allowed[layer], " " hit " ") == 0) {
            printf "%s:%d: %s/ includes %s/, which is not below it (%s)\n", file, lineno, layer, hit, target
            bad = 1
        }
    }
    close(file)
}

END {
    if (bad)
        exit 1
    print "layers ok"
}
'

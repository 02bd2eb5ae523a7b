# Reads the steps of a start-up from callgrind's profiles and prints them as
# one Markdown table, each step in millions of instructions and as a share of
# its program's total, the program beside the floor with a text box.
#
#   awk -f profile-steps.awk STEPS PROGRAM.callgrind FLOOR.callgrind
#
# STEPS has one row a line, "kind|label|program's cost|floor's cost":
#   step   a step of the start-up, in order; the steps do not overlap
#   part   a share of the step above, or of several steps (not added up)
#   rest   the total less every step above it
#   total  the profile's total
# A cost is a list of terms separated by " ; ", each added, or subtracted
# when it starts with "-":
#   F          everything F cost, with what it called (its inclusive cost)
#   F -> G     what F's calls to G cost
#   @OBJECT    what calls from other objects into objects whose path holds
#              OBJECT cost (several objects: @A,B)
# Function names are callgrind's, arguments and all; a name ending in "*"
# stands for every name that starts with what comes before it. An empty cost
# is a step the floor does not take. A name found in no call is reported on
# standard error: the program has changed under the steps.

function resolve(kind, text,   end, id, rest) {
    # Callgrind names a thing once as "(id) name", then as "(id)".
    if (substr(text, 1, 1) != "(")
        return text
    end = index(text, ")")
    id = substr(text, 2, end - 2)
    rest = substr(text, end + 2)
    if (rest != "")
        names[kind, id] = rest
    return names[kind, id]
}

FILENAME == ARGV[1] {
    rows++
    n = split($0, f, "|")
    kind[rows] = f[1]
    label[rows] = f[2]
    expr[rows, 1] = f[3]
    expr[rows, 2] = n >= 4 ? f[4] : ""
    next
}

FNR == 1 { p = FILENAME == ARGV[2] ? 1 : 2; ob = ""; fn = ""; cob = ""; call = 0 }
/^summary:/ { total[p] = $2; next }
/^ob=/ { ob = resolve("ob", substr($0, 4)); next }
/^cob=/ { cob = resolve("ob", substr($0, 5)); next }
/^fn=/ { fn = resolve("fn", substr($0, 4)); object[p, fn] = ob; call = 0; next }
/^cfn=/ { cfn = resolve("fn", substr($0, 5)); next }
/^calls=/ { call = 1; next }
/^[0-9+*-]/ {
    spent = $2 + 0
    inclusive[p, fn] += spent
    if (call) {
        calls[p, fn, cfn] += spent
        callee = cob != "" ? cob : ob
        if (!((p, fn, cfn) in callObject))
            pairs[p, ++npairs[p]] = fn SUBSEP cfn
        callObject[p, fn, cfn] = callee
        call = 0
        cob = ""
    }
    next
}

function inObjects(path, list,   k, n, o) {
    n = split(list, o, ",")
    for (k = 1; k <= n; k++)
        if (index(path, o[k]))
            return 1
    return 0
}

function named(name, pattern) {
    if (substr(pattern, length(pattern)) == "*")
        return index(name, substr(pattern, 1, length(pattern) - 1)) == 1
    return name == pattern
}

function term(p, t,   arrow, from, to, key, sum, found, k, pair, ends) {
    sum = 0
    found = 0
    if (substr(t, 1, 1) == "@") {
        for (k = 1; k <= npairs[p]; k++) {
            split(pairs[p, k], pair, SUBSEP)
            if (inObjects(callObject[p, pair[1], pair[2]], substr(t, 2)) &&
                !inObjects(object[p, pair[1]], substr(t, 2)))
                sum += calls[p, pair[1], pair[2]]
        }
        return sum
    }
    arrow = index(t, " -> ")
    if (arrow) {
        from = substr(t, 1, arrow - 1)
        to = substr(t, arrow + 4)
        for (k = 1; k <= npairs[p]; k++) {
            split(pairs[p, k], pair, SUBSEP)
            if (named(pair[1], from) && named(pair[2], to)) {
                sum += calls[p, pair[1], pair[2]]
                found = 1
            }
        }
    } else {
        for (key in inclusive) {
            split(key, ends, SUBSEP)
            if (ends[1] == p && named(ends[2], t)) {
                sum += inclusive[key]
                found = 1
            }
        }
    }
    if (!found)
        printf "profile-steps: nothing matches %s in %s\n", t, ARGV[p + 1] > "/dev/stderr"
    return sum
}

function cost(p, e,   n, t, k, sum, s) {
    n = split(e, t, " ; ")
    sum = 0
    for (k = 1; k <= n; k++) {
        s = t[k]
        gsub(/^ +| +$/, "", s)
        if (substr(s, 1, 1) == "-")
            sum -= term(p, substr(s, 2))
        else
            sum += term(p, s)
    }
    return sum
}

function cell(p, c) {
    return sprintf("%.1f | %s", c / 1e6, share(c, total[p]))
}

function share(c, all) {
    if (c < 0.005 * all)
        return "< 1 %"
    return sprintf("%.0f %%", 100 * c / all)
}

END {
    print "| Step, from the first instruction to the first painted frame | Corvale Scrivulets (M instructions) | share | Floor + text box (M instructions) | share |"
    print "|---|---|---|---|---|"
    for (r = 1; r <= rows; r++) {
        for (p = 1; p <= 2; p++) {
            if (kind[r] == "total")
                c[p] = total[p]
            else if (kind[r] == "rest")
                c[p] = total[p] - summed[p]
            else
                c[p] = cost(p, expr[r, p])
            if (kind[r] == "step")
                summed[p] += c[p]
            if (kind[r] != "total" && kind[r] != "rest" && expr[r, p] == "")
                text[p] = "— | "
            else
                text[p] = cell(p, c[p])
        }
        name = kind[r] == "part" ? "— " label[r] : label[r]
        if (kind[r] == "total")
            name = "**" name "**"
        print "| " name " | " text[1] " | " text[2] " |"
    }
}

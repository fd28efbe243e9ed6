# The same conversion as cellwright-convert, in awk, as the yardstick of bench/convert-vs-awk:
# every table given as an argument TEXT:ROWSxCOLS is found by its first cell (blanks trimmed,
# exact comparison), each match rewritten as rows of cells joined by "&" and closed by "\\",
# the document written with leading blanks removed and CR LF line ends.
#
#   awk -f convert.awk StarA:54x5 StarB:62x6 paper.txt > paper.tex

function trim(text) {
    sub(/^ +/, "", text)
    sub(/ +$/, "", text)
    return text
}

BEGIN {
    RS = "\r\n?"
    for (t = 1; t < ARGC - 1; ++t) {
        colon = match(ARGV[t], /:[0-9]+x[0-9]+$/)
        first[t] = substr(ARGV[t], 1, colon - 1)
        split(substr(ARGV[t], colon + 1), size, "x")
        rows[t] = size[1] + 0
        cols[t] = size[2] + 0
        delete ARGV[t]
    }
    tables = ARGC - 2
}

{
    sub(/^ +/, "")
    line[++n] = $0
}

END {
    for (t = 1; t <= tables; ++t) {
        R = rows[t]; K = cols[t]; F = trim(first[t])
        for (i = 1; i <= n; ++i) {
            if (trim(line[i]) != F)
                continue
            if (i + R * K - 1 > n) {
                printf "table %d does not fit\n", t > "/dev/stderr"
                exit 1
            }
            for (r = 1; r <= R; ++r) {
                p = i + (r - 1) * K
                row = line[p]
                for (c = 2; c <= K; ++c)
                    row = row "&" line[p + c - 1]
                line[i + r - 1] = row "\\\\"
            }
            D = R * (K - 1)
            for (j = i + R; j <= n - D; ++j)
                line[j] = line[j + D]
            n -= D
        }
    }
    for (i = 1; i <= n; ++i)
        printf "%s\r\n", line[i]
}

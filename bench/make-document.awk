# Writes a plain-text export of a paper, one table cell per line, CR LF line ends: `lines` lines
# in all, with the tables of `tables` ("TEXT:ROWSxCOLS ...", TEXT without blanks) spread among
# prose, as a word processor leaves them. The same arguments always give the same bytes.
#
#   awk -v lines=5000 -v tables="StarA:54x5 StarB:62x6" -f make-document.awk > paper.txt

function random(n) {
    # Park-Miller: exact in awk's doubles, so every awk gives the same document.
    seed = (seed * 16807) % 2147483647
    return seed % n
}

function prose(    words, k, text) {
    if (random(6) == 0)
        return ""
    words = 4 + random(10)
    text = (random(4) == 0 ? "   " : "") vocabulary[1 + random(vocabularySize)]
    for (k = 2; k <= words; ++k)
        text = text " " vocabulary[1 + random(vocabularySize)]
    return text "."
}

function cell(row, col) {
    if (row == 1)
        return (random(3) == 0 ? " " : "") "Col" col
    if (col == 1)
        return "Obj-" row
    return sprintf("%d.%02d", random(30), random(100))
}

BEGIN {
    ORS = "\r\n"
    seed = 20240601
    vocabularySize = split("the light curve of each star was measured with a photometer on " \
        "several nights and reduced against comparison stars of known magnitude colour index " \
        "period phase amplitude observed field catalogue values follow below", vocabulary, " ")

    count = split(tables, spec, " ")
    cells = 0
    for (t = 1; t <= count; ++t) {
        colon = match(spec[t], /:[0-9]+x[0-9]+$/)
        first[t] = substr(spec[t], 1, colon - 1)
        split(substr(spec[t], colon + 1), size, "x")
        rows[t] = size[1]
        cols[t] = size[2]
        cells += rows[t] * cols[t]
    }
    gap = int((lines - cells) / (count + 1))
    written = 0
    for (t = 1; t <= count; ++t) {
        for (k = 1; k <= gap; ++k) { print prose(); ++written }
        print first[t]
        for (c = 2; c <= cols[t]; ++c) print cell(1, c)
        for (r = 2; r <= rows[t]; ++r)
            for (c = 1; c <= cols[t]; ++c) print cell(r, c)
        written += rows[t] * cols[t]
    }
    while (written < lines) { print prose(); ++written }
}

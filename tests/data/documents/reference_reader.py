#!/usr/bin/python3
"""Reads a .docx or .odt into the lines and table shapes Cellwright is expected to find.

Independent of Cellwright: written from the reading rules in README.md with nothing but the
standard library's zipfile and xml.etree, so that the expected outputs beside it are not the
reader's own output copied back.

    reference_reader.py FILE...          prints each file's lines and tables as JSON
    reference_reader.py --lines FILE     prints the lines alone, one per line
"""
import json
import re
import sys
import zipfile
import xml.etree.ElementTree as ET

ODT_MIMETYPE = "application/vnd.oasis.opendocument.text"

SPECIALS = {
    "\\": "\\textbackslash{}",
    "&": "\\&",
    "%": "\\%",
    "$": "\\$",
    "#": "\\#",
    "_": "\\_",
    "{": "\\{",
    "}": "\\}",
    "~": "\\textasciitilde{}",
    "^": "\\textasciicircum{}",
}


def escape(text):
    return "".join(SPECIALS.get(c, c) for c in text)


def local(tag):
    return tag.rpartition("}")[2]


def namespace(tag):
    return tag[1:].partition("}")[0] if tag.startswith("{") else ""


def join_parts(parts):
    # A cell's paragraphs (and a nested table's cells) share one line. Empty parts add nothing,
    # so an empty paragraph between two others leaves one space, not two.
    return " ".join(p for p in parts if p)


class Entry:
    """One line of a table row: a cell, or the empty place under a cell that spans rows."""

    def __init__(self, col, colspan, text, covered=False, origin=None):
        self.col = col
        self.colspan = colspan
        self.rowspan = 1
        self.text = "" if covered else text
        self.covered = covered
        self.origin = origin  # the cell above that covers this place, when covered

    def top(self):
        return self.origin if self.covered else self


class Table:
    def __init__(self):
        self.rows = []  # lists of Entry
        self.row_cols = []  # grid places each row takes, skipped places included
        self.header_rows = 0

    def entries(self):
        for row in self.rows:
            yield from row

    def cols(self):
        return max(self.row_cols, default=0)

    def nested_text(self):
        return join_parts(e.text for e in self.entries())


# ---------------------------------------------------------------- Office Open XML


class DocxReader:
    SKIPPED_INLINE = {"del", "moveFrom", "pPr", "rPr", "proofErr", "bookmarkStart",
                      "bookmarkEnd", "commentRangeStart", "commentRangeEnd"}
    TRANSPARENT_INLINE = {"ins", "moveTo", "hyperlink", "smartTag", "customXml", "fldSimple",
                          "dir", "bdo"}

    def __init__(self, root):
        self.w = "{%s}" % namespace(root.tag)
        self.root = root
        # Complex fields can span runs and paragraphs: one entry per open field, "instr" until
        # its separator, "result" after it. Text shows only while every open field shows.
        self.fields = []

    def is_w(self, el, name):
        return el.tag == self.w + name

    def attr(self, el, name):
        return el.get(self.w + name)

    def on(self, el):
        # A toggle element such as w:tblHeader counts unless its value turns it off.
        return el is not None and self.attr(el, "val") not in ("0", "false", "off")

    def read(self):
        body = self.root.find(self.w + "body")
        return self.blocks(body)

    # Block content: paragraphs and tables, through content controls and custom XML.
    def block_elements(self, container):
        for el in container:
            if self.is_w(el, "p") or self.is_w(el, "tbl"):
                yield el
            elif self.is_w(el, "sdt"):
                content = el.find(self.w + "sdtContent")
                if content is not None:
                    yield from self.block_elements(content)
            elif self.is_w(el, "customXml"):
                yield from self.block_elements(el)

    def blocks(self, container):
        """Items of a block container in order: ("line", text) or ("table", Table)."""
        items = []
        carried = ""  # text of a paragraph whose mark was deleted: it runs into the next one
        for el in self.block_elements(container):
            if self.is_w(el, "p"):
                text = carried + self.paragraph(el)
                if self.mark_deleted(el):
                    carried = text
                    continue
                carried = ""
                items.append(("line", text))
            else:
                if carried:
                    items.append(("line", carried))
                    carried = ""
                table = self.table(el)
                if table.rows:
                    items.append(("table", table))
        if carried:
            items.append(("line", carried))
        return items

    def mark_deleted(self, p):
        ppr = p.find(self.w + "pPr")
        rpr = ppr.find(self.w + "rPr") if ppr is not None else None
        return rpr is not None and rpr.find(self.w + "del") is not None

    def paragraph(self, p):
        out = []
        self.inline(p, out)
        return "".join(out)

    def showing(self):
        return all(state == "result" for state in self.fields)

    def inline(self, el, out):
        for child in el:
            if namespace(child.tag) != self.w[1:-1]:
                continue  # drawings in markup compatibility wrappers, maths, foreign markup
            name = local(child.tag)
            if name == "r":
                self.run(child, out)
            elif name == "sdt":
                content = child.find(self.w + "sdtContent")
                if content is not None:
                    self.inline(content, out)
            elif name in self.TRANSPARENT_INLINE:
                self.inline(child, out)

    def run(self, r, out):
        for child in r:
            if namespace(child.tag) != self.w[1:-1]:
                continue
            name = local(child.tag)
            if name == "fldChar":
                kind = self.attr(child, "fldCharType")
                if kind == "begin":
                    self.fields.append("instr")
                elif kind == "separate" and self.fields:
                    self.fields[-1] = "result"
                elif kind == "end" and self.fields:
                    self.fields.pop()
            elif not self.showing():
                continue
            elif name == "t":
                out.append(child.text or "")
            elif name in ("tab", "ptab", "br", "cr"):
                out.append(" ")
            elif name == "noBreakHyphen":
                out.append("\u2011")
            # w:instrText, w:delText, w:drawing, w:pict, w:object, note and comment references,
            # w:sym and w:softHyphen print nothing the lines keep.

    # Tables.
    def row_elements(self, tbl):
        for el in tbl:
            if self.is_w(el, "tr"):
                yield el
            elif self.is_w(el, "sdt"):
                content = el.find(self.w + "sdtContent")
                if content is not None:
                    yield from self.row_elements(content)
            elif self.is_w(el, "customXml"):
                yield from self.row_elements(el)

    def cell_elements(self, tr):
        for el in tr:
            if self.is_w(el, "tc"):
                yield el
            elif self.is_w(el, "sdt"):
                content = el.find(self.w + "sdtContent")
                if content is not None:
                    yield from self.cell_elements(content)
            elif self.is_w(el, "customXml"):
                yield from self.cell_elements(el)

    def int_val(self, parent, name, default):
        el = parent.find(self.w + name) if parent is not None else None
        if el is None:
            return default
        try:
            return int(self.attr(el, "val"))
        except (TypeError, ValueError):
            return default

    def merge_kind(self, tcpr, name):
        el = tcpr.find(self.w + name) if tcpr is not None else None
        if el is None:
            return None
        return "restart" if self.attr(el, "val") == "restart" else "continue"

    def table(self, tbl):
        table = Table()
        headers_open = True
        above = {}  # grid column -> entry of the row above that starts there
        for tr in self.row_elements(tbl):
            trpr = tr.find(self.w + "trPr")
            deleted = trpr is not None and trpr.find(self.w + "del") is not None
            before = self.int_val(trpr, "gridBefore", 0)
            after = self.int_val(trpr, "gridAfter", 0)
            row = []
            col = before
            for tc in self.cell_elements(tr):
                tcpr = tc.find(self.w + "tcPr")
                span = max(1, self.int_val(tcpr, "gridSpan", 1))
                text = self.cell_text(tc)  # read even when unused: fields may open or close
                if self.merge_kind(tcpr, "hMerge") == "continue" and row:
                    row[-1].colspan += span  # covered from the left: no line
                elif self.merge_kind(tcpr, "vMerge") == "continue" and col in above:
                    origin = above[col].top()
                    row.append(Entry(col, span, "", covered=True, origin=origin))
                else:
                    row.append(Entry(col, span, text))
                col += span
            if deleted:
                continue  # a row deleted with changes tracked is gone once they are accepted
            for e in row:
                if e.covered:
                    e.origin.rowspan += 1
            above = {e.col: e for e in row}
            table.rows.append(row)
            table.row_cols.append(col + after)
            header = trpr is not None and self.on(trpr.find(self.w + "tblHeader"))
            if header and headers_open:
                table.header_rows += 1
            else:
                headers_open = False
        return table

    def cell_text(self, tc):
        parts = []
        for kind, item in self.blocks(tc):
            parts.append(item if kind == "line" else item.nested_text())
        return join_parts(parts)


# ---------------------------------------------------------------- OpenDocument text

TEXT = "urn:oasis:names:tc:opendocument:xmlns:text:1.0"
TABLE = "urn:oasis:names:tc:opendocument:xmlns:table:1.0"
OFFICE = "urn:oasis:names:tc:opendocument:xmlns:office:1.0"
STYLE = "urn:oasis:names:tc:opendocument:xmlns:style:1.0"
LOEXT = "urn:org:documentfoundation:names:experimental:office:xmlns:loext:1.0"


def T(name):
    return "{%s}%s" % (TEXT, name)


def TB(name):
    return "{%s}%s" % (TABLE, name)


class OdtReader:
    # Inline elements whose content is not printed text: notes, list labels, comments, the
    # changes record, ruby annotations. Drawings (frames, text boxes, shapes) go by namespace.
    SKIPPED_INLINE = {T("note"), T("number"), T("tracked-changes"), T("ruby-text"),
                      "{%s}annotation" % OFFICE}
    SKIPPED_NAMESPACES = {
        "urn:oasis:names:tc:opendocument:xmlns:drawing:1.0",
        "urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0",
        "urn:oasis:names:tc:opendocument:xmlns:dr3d:1.0",
        "urn:oasis:names:tc:opendocument:xmlns:chart:1.0",
        "urn:oasis:names:tc:opendocument:xmlns:form:1.0",
        "http://www.w3.org/1998/Math/MathML",
    }
    WHITE = re.compile(r"[ \t\r\n]")

    def __init__(self, root):
        self.root = root
        # Rows the word processor tracks as deleted or inserted whole (its own extension of the
        # format, on the row's style); a tracked row left empty once changes are accepted is gone.
        self.tracked_row_styles = set()
        for style in root.iter("{%s}style" % STYLE):
            props = style.find("{%s}table-row-properties" % STYLE)
            if props is not None and props.get("{%s}text-changes-only" % LOEXT) == "false":
                self.tracked_row_styles.add(style.get("{%s}name" % STYLE))

    def read(self):
        body = self.root.find("{%s}body/{%s}text" % (OFFICE, OFFICE))
        return self.blocks(body)

    def blocks(self, container):
        items = []
        for el in container:
            if el.tag in (T("p"), T("h")):
                items.append(("line", self.paragraph(el)))
            elif el.tag == TB("table"):
                table = self.table(el)
                if table.rows:
                    items.append(("table", table))
            elif el.tag in (T("list"), T("list-item"), T("list-header"), T("section"),
                            T("index-body"), T("index-title")) or (
                    namespace(el.tag) == TEXT and el.find(T("index-body")) is not None):
                items.extend(self.blocks(el))
            # declarations, forms, the changes record, page-anchored drawings: no lines
        return items

    def paragraph(self, p):
        # Character data collapses as the format says: tabs and line ends count as spaces, a
        # space after white space or at the paragraph's start is dropped. text:s, text:tab and
        # text:line-break are kept as written.
        out = []
        self.inline(p, out)
        return "".join(out)

    def chars(self, data, out):
        for c in self.WHITE.sub(" ", data or ""):
            if c == " " and (not out or out[-1].endswith(" ")):
                continue
            out.append(c)

    def inline(self, el, out):
        self.chars(el.text, out)
        for child in el:
            if child.tag in self.SKIPPED_INLINE or namespace(child.tag) in self.SKIPPED_NAMESPACES:
                pass
            elif child.tag == T("s"):
                out.append(" " * int(child.get(T("c"), "1")))
            elif child.tag in (T("tab"), T("line-break")):
                out.append(" ")
            else:
                # spans, links, fields (their shown value), content controls, change marks
                self.inline(child, out)
            self.chars(child.tail, out)

    def row_elements(self, el, header=False):
        for child in el:
            if child.tag == TB("table-row"):
                for _ in range(int(child.get(TB("number-rows-repeated"), "1"))):
                    yield child, header
            elif child.tag == TB("table-header-rows"):
                yield from self.row_elements(child, True)
            elif child.tag in (TB("table-rows"), TB("table-row-group")):
                yield from self.row_elements(child, header)

    def deleted_row(self, tr, row):
        return (tr.get(TB("style-name")) in self.tracked_row_styles and
                tr.find(".//" + T("change")) is not None and not any(e.text for e in row))

    def table(self, tbl):
        table = Table()
        headers_open = True
        covering = {}  # (row, col) -> the cell spanning over that place
        for r, (tr, header) in enumerate(self.row_elements(tbl)):
            row = []
            col = 0
            for tc in tr:
                if tc.tag not in (TB("table-cell"), TB("covered-table-cell")):
                    continue
                text = self.cell_text(tc)
                for _ in range(int(tc.get(TB("number-columns-repeated"), "1"))):
                    if tc.tag == TB("table-cell"):
                        e = Entry(col, int(tc.get(TB("number-columns-spanned"), "1")), text)
                        e.row = r
                        row.append(e)
                        rows_spanned = int(tc.get(TB("number-rows-spanned"), "1"))
                        for dr in range(rows_spanned):
                            for dc in range(e.colspan):
                                covering.setdefault((r + dr, col + dc), e)
                    else:
                        origin = covering.get((r, col))
                        if origin is not None and origin.row < r and origin.col == col:
                            row.append(Entry(col, origin.colspan, "", covered=True,
                                             origin=origin))
                        # covered from the left (or by nothing): no line
                    col += 1
            if self.deleted_row(tr, row):
                continue
            for e in row:
                if e.covered:
                    e.origin.rowspan += 1
            table.rows.append(row)
            table.row_cols.append(col)
            if header and headers_open:
                table.header_rows += 1
            else:
                headers_open = False
        return table

    def cell_text(self, tc):
        parts = []
        for kind, item in self.blocks(tc):
            parts.append(item if kind == "line" else item.nested_text())
        return join_parts(parts)


# ---------------------------------------------------------------- lines, shapes, conversion


def read_items(path):
    with zipfile.ZipFile(path) as z:
        names = set(z.namelist())
        if "word/document.xml" in names:
            return DocxReader(ET.fromstring(z.read("word/document.xml"))).read()
        if "content.xml" in names and "mimetype" in names and \
                z.read("mimetype").decode("ascii", "replace").strip() == ODT_MIMETYPE:
            return OdtReader(ET.fromstring(z.read("content.xml"))).read()
    raise ValueError("%s: neither Office Open XML nor OpenDocument text" % path)


def convert_row(table, row, escaped):
    cells = []
    place = 0
    for e in row:
        cells.extend([""] * (e.col - place))  # skipped grid places
        text = escape(e.text) if escaped else e.text
        cells.append("\\multicolumn{%d}{c}{%s}" % (e.colspan, text) if e.colspan > 1 else text)
        place = e.col + e.colspan
    cells.extend([""] * (table.cols() - place))  # the missing end of a short row
    return "&".join(cells) + "\\\\"


def read_document(path):
    lines = []
    tables = []
    for kind, item in read_items(path):
        if kind == "line":
            lines.append(item.lstrip(" "))
            continue
        first = len(lines) + 1
        for e in item.entries():
            e.text = e.text.lstrip(" ")
            lines.append(e.text)
        tables.append({
            "first_line": first,
            "rows": len(item.rows),
            "cols": item.cols(),
            "header_rows": item.header_rows,
            "cells": [[{"col": e.col, "colspan": e.colspan, "rowspan": e.rowspan,
                        "covered": e.covered} for e in row] for row in item.rows],
            "converted": [convert_row(item, row, False) for row in item.rows],
            "converted_escaped": [convert_row(item, row, True) for row in item.rows],
        })
    return {"lines": lines, "tables": tables}


def to_json(doc):
    """JSON laid out for diffs: a line per document line, a row of cells per line."""
    def dump(value):
        return json.dumps(value, ensure_ascii=False, separators=(", ", ": "))

    out = ['{"lines": [']
    out.append(",\n".join("  " + dump(line) for line in doc["lines"]))
    out.append('], "tables": [')
    tables = []
    for t in doc["tables"]:
        head = '  {"first_line": %d, "rows": %d, "cols": %d, "header_rows": %d,' % (
            t["first_line"], t["rows"], t["cols"], t["header_rows"])
        body = [head, '   "cells": [']
        body.append(",\n".join("    " + dump(row) for row in t["cells"]))
        for key in ("converted", "converted_escaped"):
            body.append('   ], "%s": [' % key)
            body.append(",\n".join("    " + dump(row) for row in t[key]))
        body.append("  ]}")
        tables.append("\n".join(body))
    out.append(",\n".join(tables))
    out.append("]}")
    return "\n".join(s for s in out if s) + "\n"


def main(argv):
    if len(argv) == 3 and argv[1] == "--lines":
        for line in read_document(argv[2])["lines"]:
            print(line)
        return 0
    if len(argv) < 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    for path in argv[1:]:
        sys.stdout.write(to_json(read_document(path)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

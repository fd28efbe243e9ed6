#!/usr/bin/env python3
"""Writes the small packages tst_word_document reads: tests/data/documents/small/ (documents with
known lines and tables) and tests/data/documents/bad/ (inputs that must be refused). The packages
are written byte by byte the same on every run, so they are committed and rebuilt only when this
script changes: ./make-fixtures.py"""

import io
import pathlib
import struct
import zipfile
import zlib

ROOT = pathlib.Path(__file__).resolve().parent.parent / "data" / "documents"
SMALL = ROOT / "small"
BAD = ROOT / "bad"

W = "http://schemas.openxmlformats.org/wordprocessingml/2006/main"
W_STRICT = "http://purl.oclc.org/ooxml/wordprocessingml/main"
MC = "http://schemas.openxmlformats.org/markup-compatibility/2006"
REL = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument"

CONTENT_TYPES = (
    '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>'
    '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
    '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
    '<Default Extension="xml" ContentType="application/xml"/></Types>'
)


def rels(target):
    return (
        '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>'
        '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
        f'<Relationship Id="rId1" Type="{REL}" Target="{target}"/></Relationships>'
    )


def package(members, deflate=True):
    """A zip of (name, text or bytes) pairs, in order, with fixed times."""
    out = io.BytesIO()
    with zipfile.ZipFile(out, "w") as z:
        for name, data in members:
            info = zipfile.ZipInfo(name, date_time=(1980, 1, 1, 0, 0, 0))
            stored = name == "mimetype" or not deflate
            info.compress_type = zipfile.ZIP_STORED if stored else zipfile.ZIP_DEFLATED
            z.writestr(info, data.encode() if isinstance(data, str) else data)
    return out.getvalue()


def docx(body, ns=W, main="word/document.xml", extra=()):
    document = (
        f'<?xml version="1.0" encoding="UTF-8" standalone="yes"?>'
        f'<w:document xmlns:w="{ns}" xmlns:mc="{MC}"><w:body>{body}</w:body></w:document>'
    )
    return package([("[Content_Types].xml", CONTENT_TYPES), ("_rels/.rels", rels("/" + main)),
                    (main, document), *extra])


ODF_NS = (
    'xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
    'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" '
    'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
    'xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0" '
    'xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0"'
)


def odf(body, mimetype="application/vnd.oasis.opendocument.text", kind="text", manifest=None):
    content = (
        f'<?xml version="1.0" encoding="UTF-8"?><office:document-content {ODF_NS} office:version="1.3">'
        f'<office:automatic-styles/><office:body><office:{kind}>{body}</office:{kind}></office:body>'
        f'</office:document-content>'
    )
    manifest = manifest or (
        '<?xml version="1.0" encoding="UTF-8"?><manifest:manifest '
        'xmlns:manifest="urn:oasis:names:tc:opendocument:xmlns:manifest:1.0" manifest:version="1.3">'
        f'<manifest:file-entry manifest:full-path="/" manifest:media-type="{mimetype}"/>'
        '<manifest:file-entry manifest:full-path="content.xml" manifest:media-type="text/xml"/>'
        '</manifest:manifest>'
    )
    return package([("mimetype", mimetype), ("content.xml", content),
                    ("META-INF/manifest.xml", manifest)])


# --- Office Open XML ------------------------------------------------------------------------------

def p(text, props=""):
    return f'<w:p>{props}<w:r><w:t xml:space="preserve">{text}</w:t></w:r></w:p>'


def tc(content, props=""):
    return f"<w:tc><w:tcPr><w:tcW w:w=\"1000\" w:type=\"dxa\"/>{props}</w:tcPr>{content}</w:tc>"


def tr(cells, props=""):
    return f"<w:tr>{'<w:trPr>' + props + '</w:trPr>' if props else ''}{''.join(cells)}</w:tr>"


def tbl(rows, grid=3):
    cols = "".join('<w:gridCol w:w="1000"/>' for _ in range(grid))
    return f"<w:tbl><w:tblPr><w:tblW w:w=\"0\" w:type=\"auto\"/></w:tblPr><w:tblGrid>{cols}</w:tblGrid>{''.join(rows)}</w:tbl>"


TEXT_BOX = (
    '<w:r><mc:AlternateContent><mc:Choice Requires="wps"><w:drawing><w:txbxContent>'
    + p("box text") + '</w:txbxContent></w:drawing></mc:Choice><mc:Fallback><w:pict>'
    '<w:txbxContent>' + p("box text") + '</w:txbxContent></w:pict></mc:Fallback>'
    '</mc:AlternateContent></w:r>'
)

WORD_BODY = "".join([
    p("Results", '<w:pPr><w:pStyle w:val="Heading1"/><w:tabs><w:tab w:val="left" w:pos="720"/></w:tabs></w:pPr>'),
    '<w:p><w:r><w:t>Intro</w:t></w:r>'
    '<w:ins w:id="1" w:author="A"><w:r><w:t xml:space="preserve"> kept</w:t></w:r></w:ins>'
    '<w:del w:id="2" w:author="A"><w:r><w:delText xml:space="preserve"> gone</w:delText></w:r></w:del>'
    '<w:moveFrom w:id="3" w:author="A"><w:r><w:t>moved</w:t></w:r></w:moveFrom>'
    '<w:moveTo w:id="4" w:author="A"><w:r><w:t xml:space="preserve"> here</w:t></w:r></w:moveTo></w:p>',
    '<w:p><w:r><w:t xml:space="preserve">Page </w:t></w:r>'
    '<w:r><w:fldChar w:fldCharType="begin"/></w:r><w:r><w:instrText> PAGE </w:instrText></w:r>'
    '<w:r><w:fldChar w:fldCharType="separate"/></w:r><w:r><w:t>7</w:t></w:r>'
    '<w:r><w:fldChar w:fldCharType="end"/></w:r><w:r><w:t xml:space="preserve"> of </w:t></w:r>'
    '<w:fldSimple w:instr=" NUMPAGES "><w:r><w:t>9</w:t></w:r></w:fldSimple></w:p>',
    '<w:p><w:hyperlink w:anchor="x"><w:r><w:t xml:space="preserve">link </w:t></w:r></w:hyperlink>'
    '<w:sdt><w:sdtPr><w:alias w:val="Field"/><w:text/></w:sdtPr><w:sdtContent><w:r><w:t xml:space="preserve">control </w:t></w:r></w:sdtContent></w:sdt>'
    '<w:smartTag w:uri="u" w:element="e"><w:r><w:t>tag</w:t></w:r></w:smartTag>'
    '<w:r><w:footnoteReference w:id="1"/></w:r><w:r><w:commentReference w:id="0"/></w:r>'
    + TEXT_BOX +
    '<w:r><w:tab/><w:t>x</w:t><w:br/><w:t>y</w:t></w:r></w:p>',
    p("Joined ", '<w:pPr><w:rPr><w:del w:id="5" w:author="A"/></w:rPr></w:pPr>'),
    p("here"),
    p("\u03b1\U0001d6fc"),
    tbl([
        tr([tc(p("Name"), '<w:gridSpan w:val="2"/>'), tc(p("Value"))], "<w:tblHeader/>"),
        tr([tc(p("First")), tc(p("Second")), tc(p("Unit"))], '<w:tblHeader w:val="true"/>'),
        tr([tc(p("Merged"), '<w:vMerge w:val="restart"/>'), tc(p("a1")), tc(p("b1"))]),
        tr([tc("<w:p/>", "<w:vMerge/>"), tc(p("a2")), tc(p("b2") + p("more"))], '<w:tblHeader w:val="true"/>'),
        tr([tc(p("c3")), tc(p("outer") + tbl([tr([tc(p("n1")), tc(p("n2"))]),
                                              tr([tc(p("n3")), tc(p("n4"))])], 2))],
           '<w:gridBefore w:val="1"/>'),
        tr([tc(p("gone")), tc(p("gone")), tc(p("gone"))], '<w:del w:id="6" w:author="A"/>'),
        tr([tc(p("end1")), tc(p("end2"))], '<w:gridAfter w:val="2"/>'),
    ]),
    p("After"),
    '<w:sectPr><w:pgSz w:w="11906" w:h="16838"/></w:sectPr>',
])


def nested(depth):
    content = p("core")
    for _ in range(depth):
        content = tbl([tr([tc(content)])], 1)
    return content


# --- OpenDocument ---------------------------------------------------------------------------------

def tp(text):
    return f"<text:p>{text}</text:p>"


def cell(text, attributes=""):
    return f"<table:table-cell {attributes}>{text}</table:table-cell>"


COVERED = "<table:covered-table-cell/>"

ODF_BODY = "".join([
    '<text:tracked-changes><text:changed-region text:id="ct1"><text:deletion><office:change-info>'
    '<dc:creator xmlns:dc="http://purl.org/dc/elements/1.1/">A</dc:creator></office:change-info>'
    + tp("deleted words") + '</text:deletion></text:changed-region></text:tracked-changes>',
    '<text:sequence-decls><text:sequence-decl text:display-outline-level="0" text:name="Table"/></text:sequence-decls>',
    '<text:h text:outline-level="1">Results</text:h>',
    tp('Intro<text:change-start text:change-id="ct2"/> kept<text:change-end text:change-id="ct2"/>'
       '<text:change text:change-id="ct1"/>'),
    tp('a<text:s text:c="3"/>b<text:tab/>c<text:line-break/>d'),
    tp("  spaced \n   out  "),
    tp('Note<text:note text:note-class="footnote"><text:note-citation>1</text:note-citation>'
       '<text:note-body>' + tp("footnote text") + '</text:note-body></text:note> after'
       '<office:annotation><dc:creator xmlns:dc="http://purl.org/dc/elements/1.1/">A</dc:creator>'
       + tp("comment") + '</office:annotation>'),
    tp('<draw:frame draw:name="F" svg:width="2cm"><draw:text-box>' + tp("box")
       + '</draw:text-box></draw:frame>Framed'),
    '<text:list><text:list-item><text:number>1.</text:number>' + tp("Item") + '</text:list-item></text:list>',
    tp('Page <text:page-number text:select-page="current">3</text:page-number>'),
    tp("\U0001d6fc"),
    '<table:table table:name="T1"><table:table-column table:number-columns-repeated="3"/>'
    '<table:table-header-rows><table:table-row>'
    + cell(tp("Name"), 'table:number-columns-spanned="2"') + COVERED + cell(tp("Value"))
    + '</table:table-row></table:table-header-rows>'
    '<table:table-row>' + cell(tp("Merged"), 'table:number-rows-spanned="2"') + cell(tp("a1"))
    + cell(tp("b1")) + '</table:table-row>'
    '<table:table-row><table:covered-table-cell>' + tp("hidden") + '</table:covered-table-cell>'
    + cell(tp("a2")) + cell(tp("b2") + tp("more")) + '</table:table-row>'
    '<table:table-row>' + cell(tp("c3"))
    + cell(tp("outer") + '<table:table table:name="T2"><table:table-column table:number-columns-repeated="2"/>'
           '<table:table-row>' + cell(tp("n1")) + cell(tp("n2")) + '</table:table-row>'
           '<table:table-row>' + cell(tp("n3")) + cell(tp("n4")) + '</table:table-row></table:table>')
    + cell(tp("z")) + '</table:table-row>'
    '<table:table-row>' + cell(tp("Block"), 'table:number-columns-spanned="2" table:number-rows-spanned="2"')
    + COVERED + cell(tp("x")) + '</table:table-row>'
    '<table:table-row>' + COVERED + COVERED + cell(tp("y")) + '</table:table-row>'
    '<table:table-row table:number-rows-repeated="2">'
    + cell(tp("r"), 'table:number-columns-repeated="3"') + '</table:table-row>'
    '</table:table>',
    tp("After"),
])


# --- Compound files -------------------------------------------------------------------------------

def compound(stream_names):
    """A minimal compound file: one FAT sector, one directory sector with the root and streams."""
    header = bytearray(512)
    header[0:8] = b"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"
    struct.pack_into("<HHHHH", header, 0x18, 0x3E, 3, 0xFFFE, 9, 6)
    struct.pack_into("<I", header, 0x2C, 1)  # FAT sectors
    struct.pack_into("<I", header, 0x30, 1)  # first directory sector
    struct.pack_into("<I", header, 0x38, 4096)
    struct.pack_into("<IIII", header, 0x3C, 0xFFFFFFFE, 0, 0xFFFFFFFE, 0)
    difat = [0] + [0xFFFFFFFF] * 108
    struct.pack_into("<109I", header, 0x4C, *difat)
    fat = struct.pack("<128I", 0xFFFFFFFD, 0xFFFFFFFE, *([0xFFFFFFFF] * 126))

    def entry(name, kind, child=0xFFFFFFFF, right=0xFFFFFFFF):
        e = bytearray(128)
        encoded = (name + "\0").encode("utf-16-le")
        e[0:len(encoded)] = encoded
        struct.pack_into("<HBB", e, 64, len(encoded), kind, 1)
        struct.pack_into("<III", e, 68, 0xFFFFFFFF, right, child)
        struct.pack_into("<I", e, 116, 0xFFFFFFFE)
        return bytes(e)

    entries = [entry("Root Entry", 5, child=1)]
    for i, name in enumerate(stream_names):
        entries.append(entry(name, 2, right=i + 2 if i + 1 < len(stream_names) else 0xFFFFFFFF))
    directory = b"".join(entries).ljust(512, b"\0")
    return bytes(header) + fat + directory


# --- Damage ---------------------------------------------------------------------------------------

def flip_in_member(data, needle):
    """The package with one byte of a stored member changed, so its checksum fails."""
    at = data.index(needle.encode())
    return data[:at] + bytes([data[at] ^ 0x20]) + data[at + 1:]


def with_encryption_flag(data):
    """Marks every member as encrypted with the traditional zip password scheme."""
    out = bytearray(data)
    for signature, flag_offset in ((b"PK\x03\x04", 6), (b"PK\x01\x02", 8)):
        at = out.find(signature)
        while at >= 0:
            out[at + flag_offset] |= 1
            at = out.find(signature, at + 4)
    return bytes(out)


def with_size_claim(data, size):
    """Every member's header claims it inflates to size bytes."""
    out = bytearray(data)
    for signature, size_offset in ((b"PK\x03\x04", 22), (b"PK\x01\x02", 24)):
        at = out.find(signature)
        while at >= 0:
            struct.pack_into("<I", out, at + size_offset, size)
            at = out.find(signature, at + 4)
    return bytes(out)


def bomb():
    """A document part that inflates to 65 MiB, white space between its elements."""
    inflated = 65 * 1024 * 1024
    opening = f'<w:document xmlns:w="{W}"><w:body>'.encode()
    compressor = zlib.compressobj(9, zlib.DEFLATED, -15)
    deflated = compressor.compress(opening)
    block = b" " * (1 << 20)
    for _ in range(inflated // len(block)):
        deflated += compressor.compress(block)
    deflated += compressor.flush()
    return opening, deflated, len(opening) + inflated


def raw_deflated_zip(name, inflated_size, deflated, crc):
    """A one-member zip written by hand, so the sizes in its headers are what the caller says."""
    name = name.encode()
    local = struct.pack("<IHHHHHIIIHH", 0x04034B50, 20, 0, 8, 0, 0x21, crc, len(deflated),
                        inflated_size, len(name), 0) + name
    central = struct.pack("<IHHHHHHIIIHHHHHII", 0x02014B50, 20, 20, 0, 8, 0, 0x21, crc,
                          len(deflated), inflated_size, len(name), 0, 0, 0, 0, 0, 0) + name
    end = struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, 1, 1, len(central),
                      len(local) + len(deflated), 0)
    return local + deflated + central + end


def main():
    SMALL.mkdir(parents=True, exist_ok=True)
    BAD.mkdir(parents=True, exist_ok=True)
    small = {
        "tables.docx": docx(WORD_BODY),
        "tables.odt": odf(ODF_BODY),
        # The relationship names the main part; the usual name holds something else.
        "renamed-main.docx": docx(p("Main part"), main="word/main.xml",
                                  extra=[("word/document.xml", "<nothing/>")]),
        "strict.docx": docx(p("Strict"), ns=W_STRICT),
    }
    opening, deflated, inflated = bomb()
    plain = docx(p("Checked"), extra=())
    stored = package([("[Content_Types].xml", CONTENT_TYPES), ("_rels/.rels", rels("/word/document.xml")),
                      ("word/document.xml", f'<w:document xmlns:w="{W}"><w:body>{p("Checked")}</w:body></w:document>')],
                     deflate=False)
    bad = {
        "truncated.docx": plain[: len(plain) * 2 // 3],
        "bad-checksum.docx": flip_in_member(stored, "Checked"),
        "no-document.docx": package([("[Content_Types].xml", CONTENT_TYPES), ("_rels/.rels", rels("/word/document.xml"))]),
        "bomb.docx": raw_deflated_zip("word/document.xml", inflated, deflated, 0),
        "bomb-small-claim.docx": raw_deflated_zip("word/document.xml", 1000, deflated, 0),
        "doctype.docx": package([("_rels/.rels", rels("/word/document.xml")), ("word/document.xml",
            '<?xml version="1.0"?><!DOCTYPE w:document [<!ENTITY a "aaaaaaaaaa">'
            '<!ENTITY b "&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;"><!ENTITY c "&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;">]>'
            f'<w:document xmlns:w="{W}"><w:body>{p("&c;")}</w:body></w:document>')]),
        "external-entity.docx": package([("_rels/.rels", rels("/word/document.xml")), ("word/document.xml",
            '<?xml version="1.0"?><!DOCTYPE w:document SYSTEM "file:///etc/passwd">'
            f'<w:document xmlns:w="{W}"><w:body>{p("x")}</w:body></w:document>')]),
        "nested-tables.docx": docx(nested(33)),
        "deep-xml.odt": odf(tp("<text:span>" * 5000 + "deep" + "</text:span>" * 5000)),
        "password.docx": compound(["EncryptionInfo", "EncryptedPackage"]),
        "legacy.doc": compound(["WordDocument", "1Table"]),
        "zip-password.docx": with_encryption_flag(stored),
        "spreadsheet.xlsx": package([("[Content_Types].xml", CONTENT_TYPES), ("_rels/.rels", rels("xl/workbook.xml")),
                                     ("xl/workbook.xml", "<workbook/>")]),
        "spreadsheet.ods": odf("", mimetype="application/vnd.oasis.opendocument.spreadsheet", kind="spreadsheet"),
        "presentation.odp": odf("", mimetype="application/vnd.oasis.opendocument.presentation", kind="presentation"),
        "mislabelled-spreadsheet.odt": odf("<table:table/>", kind="spreadsheet"),
        "password.odt": odf(tp("secret"), manifest=(
            '<manifest:manifest xmlns:manifest="urn:oasis:names:tc:opendocument:xmlns:manifest:1.0">'
            '<manifest:file-entry manifest:full-path="content.xml" manifest:media-type="text/xml">'
            '<manifest:encryption-data manifest:checksum-type="SHA1/1K" manifest:checksum="x"/>'
            '</manifest:file-entry></manifest:manifest>')),
        "not-well-formed.odt": odf(tp("open <text:span>never closed") ),
        "archive.zip": package([("notes.txt", "Hello")]),
        "wide-table.odt": odf('<table:table><table:table-row>'
                              + cell(tp("w"), 'table:number-columns-repeated="5000"')
                              + '</table:table-row></table:table>'),
        "huge-text.odt": odf(tp('<text:s text:c="65536"/>' * 300)),
        "covered-rows.odt": odf('<table:table><table:table-row table:number-rows-repeated="1000000">'
                                '<table:covered-table-cell table:number-columns-repeated="1000"/>'
                                '</table:table-row></table:table>'),
        "too-many-lines.odt": odf('<table:table><table:table-row table:number-rows-repeated="200000">'
                                 + cell(tp("m")) + '</table:table-row></table:table>'),
    }
    for folder, files in ((SMALL, small), (BAD, bad)):
        for name, data in files.items():
            (folder / name).write_bytes(data)


if __name__ == "__main__":
    main()

#!/usr/bin/python3
"""Builds the documents of this folder and the expected output of each.

Run by hand from this folder (needs python3-docx and a headless word processor, soffice):

    ./make-documents.py                  builds the documents and their expected outputs
    ./make-documents.py --expected-only  reads the committed documents again, after a change to
                                         reference_reader.py

Each source is written as NAME.docx by python3-docx, with the markup python3-docx has no call for
(tracked changes, fields, content controls, notes, skipped grid places) put into its XML directly.
The word processor then re-writes each as NAME.odt and as its own NAME.lo.docx. Every file's
expected output, FILE.expected.json, is what reference_reader.py reads from it. The tests read
only the committed files.
"""
import io
import os
import random
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib
from xml.sax.saxutils import escape

import docx
from docx.opc.constants import RELATIONSHIP_TYPE as RT
from docx.opc.packuri import PackURI
from docx.opc.part import Part
from docx.oxml import parse_xml
from docx.oxml.ns import qn

import reference_reader

NS = ('xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main" '
      'xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships" '
      'xmlns:v="urn:schemas-microsoft-com:vml" '
      'xmlns:o="urn:schemas-microsoft-com:office:office"')
CHANGE = 'w:author="Editor" w:date="2026-01-05T10:00:00Z"'
change_ids = iter(range(100, 10000))


def el(markup):
    """One element from markup written with the w:, r:, v: and o: prefixes."""
    name = re.match(r"<[\w:]+", markup).end()
    return parse_xml(markup[:name] + " " + NS + markup[name:])


def r(text):
    return '<w:r><w:t xml:space="preserve">%s</w:t></w:r>' % escape(text)


def ins(text):
    return '<w:ins w:id="%d" %s>%s</w:ins>' % (next(change_ids), CHANGE, r(text))


def dele(text):
    return ('<w:del w:id="%d" %s><w:r><w:delText xml:space="preserve">%s</w:delText></w:r>'
            '</w:del>' % (next(change_ids), CHANGE, escape(text)))


def para(doc, *markup, style=None):
    """A paragraph holding the given inline markup, in order."""
    p = doc.add_paragraph(style=style)
    for m in markup:
        p._p.append(el(m) if m.startswith("<") else el(r(m)))
    return p


def fill(cell, *paragraphs):
    cell.text = paragraphs[0]
    for text in paragraphs[1:]:
        cell.add_paragraph(text)


def table(doc, rows, style="Table Grid"):
    t = doc.add_table(rows=len(rows), cols=max(len(row) for row in rows))
    t.style = style
    for tr, values in zip(t.rows, rows):
        for tc, value in zip(tr._tr.tc_lst, values):
            tc.clear_content()
            p = tc.add_p()
            if value:
                p.append(el(r(value)))
    return t


def tr_props(tr, markup):
    """Puts the given children (in schema order) at the front of the row's properties."""
    trpr = tr.get_or_add_trPr()
    for i, child in enumerate(markup):
        trpr.insert(i, el(child))


def header_rows(t, count):
    for tr in t._tbl.tr_lst[:count]:
        tr_props(tr, ['<w:tblHeader/>'])


def merge(t, top, left, bottom, right, *paragraphs):
    cell = t.cell(top, left).merge(t.cell(bottom, right))
    if paragraphs:
        fill(cell, *paragraphs)
    return cell


def tiny_png():
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    raw = b"".join(b"\x00" + b"\x80\x40\x20" * 8 for _ in range(8))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", 8, 8, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def add_part(doc, name, content_type, reltype, xml):
    part = Part(PackURI(name), content_type, xml.encode("utf-8"), doc.part.package)
    doc.part.relate_to(part, reltype)


# ---------------------------------------------------------------- the documents


def photometry():
    """Spanning headers over two repeated header rows, and a group column merged down."""
    doc = docx.Document()
    doc.add_heading("UBV photometry of bright stars", level=1)
    doc.add_paragraph("We give the visual magnitude V and the colour indices B−V and U−B of a "
                      "few bright stars, rounded from the Yale Bright Star Catalogue.")
    doc.add_paragraph("Table 1: Magnitudes and spectral types.")
    t = table(doc, [
        ["Star", "Magnitude", "", "", "Spectral type"],
        ["", "V", "B−V", "U−B", ""],
        ["Sirius", "−1.46", "0.00", "−0.05", "A1V"],
        ["Vega", "0.03", "0.00", "−0.01", "A0V"],
        ["Arcturus", "−0.04", "1.23", "1.27", "K1.5III"],
        ["Betelgeuse", "0.50", "1.85", "2.06", "M1-2Ia-Iab"],
        ["Rigel", "0.12", "−0.03", "−0.66", "B8Ia"],
        ["Altair", "0.77", "0.22", "0.08", "A7V"],
    ])
    merge(t, 0, 0, 1, 0, "Star")
    merge(t, 0, 1, 0, 3, "Magnitude")
    merge(t, 0, 4, 1, 4, "Spectral type")
    header_rows(t, 2)
    doc.add_paragraph("The same stars sorted by constellation; the first column is merged down "
                      "over each group.")
    t = table(doc, [
        ["Constellation", "Star", "V"],
        ["Orion", "Betelgeuse", "0.50"],
        ["", "Rigel", "0.12"],
        ["", "Bellatrix", "1.64"],
        ["Lyra", "Vega", "0.03"],
        ["", "Sheliak", "3.52"],
        ["Cygnus", "Deneb", "1.25"],
    ])
    merge(t, 1, 0, 3, 0, "Orion")
    merge(t, 4, 0, 5, 0, "Lyra")
    doc.add_paragraph("Table 2: Stars by constellation.")
    return doc


def planets():
    """A cell over two header rows, an empty corner, a 2×2 block, paragraphs, LaTeX specials,
    a nested table."""
    doc = docx.Document()
    doc.add_heading("Planets and budgets", level=1)
    doc.add_paragraph("Orbits and masses of the inner planets.")
    t = table(doc, [
        ["Planet", "Orbit", "", "Physical", ""],
        ["", "a (AU)", "Period (yr)", "Mass (10^24 kg)", "Moons"],
        ["Mercury", "0.387", "0.241", "0.330", "0"],
        ["Venus", "0.723", "0.615", "4.87", "0"],
        ["Earth", "1.000", "1.000", "5.97", "1"],
        ["Mars", "1.524", "1.881", "0.642", "2"],
    ])
    merge(t, 0, 0, 1, 0, "Planet")
    merge(t, 0, 1, 0, 2, "Orbit")
    merge(t, 0, 3, 0, 4, "Physical")
    doc.add_paragraph("Planets counted by kind and place; the corner is empty.")
    table(doc, [
        ["", "Rocky", "Giant"],
        ["Inner", "4", "0"],
        ["Outer", "0", "4"],
    ])
    doc.add_paragraph("A block of four cells merged into one:")
    t = table(doc, [
        ["A", "B", "C", "D"],
        ["E", "", "", "F"],
        ["G", "", "", "H"],
        ["I", "J", "K", "L"],
    ])
    merge(t, 1, 1, 2, 2, "Merged block")
    doc.add_heading("Budget", level=2)
    doc.add_paragraph("Costs of the season, with notes over several paragraphs.")
    t = table(doc, [
        ["Item", "Notes", "Cost"],
        ["R&D", "", "$300"],
        ["Travel_costs {2026}", "", "~5% ^ #2"],
        ["Path", "", "100%"],
        ["Filters", "", ""],
    ])
    fill(t.cell(1, 1), "Two paragraphs", "in one cell")
    fill(t.cell(2, 1), "first", "", "third after an empty one")
    fill(t.cell(3, 1), "C:\\temp\\data_1.csv")
    fill(t.cell(4, 1), "B & V")
    fill(t.cell(4, 2), "  $12 (leading spaces)")
    doc.add_paragraph("A table inside a table:")
    t = table(doc, [["Outer A", ""], ["Outer C", "Outer D"]])
    cell = t.cell(0, 1)
    cell.text = "Inner:"
    inner = cell.add_table(rows=2, cols=2)
    inner.style = "Table Grid"
    for (i, j), text in {(0, 0): "x1", (0, 1): "y1", (1, 0): "x2", (1, 1): "y2"}.items():
        inner.cell(i, j).text = text
    inner.cell(1, 1).add_paragraph("y2 second")
    cell.add_paragraph("after the inner table")
    doc.add_paragraph("End of the note.")
    return doc


def tracked():
    """Tracked changes, fields, content controls, links, notes, comments, header and footer,
    a text box and a picture, in paragraphs and in a table."""
    doc = docx.Document()
    section = doc.sections[0]
    section.header.paragraphs[0].text = "Running head that must not appear"
    section.footer.paragraphs[0].text = "Footer text that must not appear"
    doc.add_heading("Observing log", level=1)
    para(doc, "The sample was ", dele("cooled"), ins("heated"), " to 300 K.")
    # A whole paragraph deleted, its mark too: accepting the deletion removes the line.
    p = doc.add_paragraph()
    p._p.append(el('<w:pPr><w:rPr><w:del w:id="%d" %s/></w:rPr></w:pPr>'
                   % (next(change_ids), CHANGE)))
    p._p.append(el(dele("This whole paragraph was deleted.")))
    para(doc, "After the deleted paragraph.", ins(" An inserted sentence."))
    para(doc, "Moved: ",
         '<w:moveToRangeStart w:id="90" w:name="move1" %s/>' % CHANGE,
         '<w:moveTo w:id="%d" %s>%s</w:moveTo>' % (next(change_ids), CHANGE, r("moved words")),
         '<w:moveToRangeEnd w:id="90"/>',
         " here, ",
         '<w:moveFromRangeStart w:id="91" w:name="move1" %s/>' % CHANGE,
         '<w:moveFrom w:id="%d" %s>%s</w:moveFrom>' % (next(change_ids), CHANGE,
                                                       r("moved words")),
         '<w:moveFromRangeEnd w:id="91"/>',
         "gone.")
    para(doc, "Page ", '<w:fldSimple w:instr=" PAGE ">%s</w:fldSimple>' % r("1"), " of ",
         '<w:r><w:fldChar w:fldCharType="begin"/></w:r>',
         '<w:r><w:instrText xml:space="preserve"> NUMPAGES </w:instrText></w:r>',
         '<w:r><w:fldChar w:fldCharType="separate"/></w:r>', r("1"),
         '<w:r><w:fldChar w:fldCharType="end"/></w:r>', ".")
    para(doc, "Data from ",
         '<w:r><w:fldChar w:fldCharType="begin"/></w:r>',
         '<w:r><w:instrText xml:space="preserve"> HYPERLINK "https://example.org/catalogue" '
         '</w:instrText></w:r>',
         '<w:r><w:fldChar w:fldCharType="separate"/></w:r>', r("the catalogue"),
         '<w:r><w:fldChar w:fldCharType="end"/></w:r>', " and from ",
         '<w:hyperlink r:id="%s">%s</w:hyperlink>'
         % (doc.part.relate_to("https://example.org/archive", RT.HYPERLINK, is_external=True),
            r("the archive")), ".")
    para(doc, "Observer: ",
         '<w:sdt><w:sdtPr><w:alias w:val="Observer"/><w:tag w:val="observer"/>'
         '<w:id w:val="101"/></w:sdtPr><w:sdtContent>%s</w:sdtContent></w:sdt>' % r("A. Person"),
         ", site ",
         '<w:smartTag w:uri="urn:schemas-microsoft-com:office:smarttags" w:element="City">'
         '%s</w:smartTag>' % r("Paris"), ", instrument ",
         '<w:customXml w:uri="urn:example:observatory" w:element="instrument">%s</w:customXml>'
         % r("CCD-2"), ".")
    block = para(doc, "A paragraph inside a block content control.")
    sdt = el('<w:sdt><w:sdtPr><w:alias w:val="Notes"/><w:id w:val="102"/></w:sdtPr>'
             '<w:sdtContent/></w:sdt>')
    block._p.addprevious(sdt)
    sdt[1].append(block._p)
    para(doc, "Distances are in parsecs",
         '<w:r><w:rPr><w:vertAlign w:val="superscript"/></w:rPr>'
         '<w:footnoteReference w:id="1"/></w:r>', " and the ",
         '<w:commentRangeStart w:id="0"/>', r("seeing was good"), '<w:commentRangeEnd w:id="0"/>',
         '<w:r><w:commentReference w:id="0"/></w:r>', ".")
    add_part(doc, "/word/footnotes.xml",
             "application/vnd.openxmlformats-officedocument.wordprocessingml.footnotes+xml",
             RT.FOOTNOTES,
             '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n<w:footnotes %s>'
             '<w:footnote w:type="separator" w:id="-1"><w:p><w:r><w:separator/></w:r></w:p>'
             '</w:footnote><w:footnote w:type="continuationSeparator" w:id="0"><w:p><w:r>'
             '<w:continuationSeparator/></w:r></w:p></w:footnote><w:footnote w:id="1"><w:p>'
             '<w:r><w:footnoteRef/></w:r>%s</w:p></w:footnote></w:footnotes>'
             % (NS, r(" Footnote text that must not appear.")))
    add_part(doc, "/word/comments.xml",
             "application/vnd.openxmlformats-officedocument.wordprocessingml.comments+xml",
             RT.COMMENTS,
             '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n<w:comments %s>'
             '<w:comment w:id="0" w:author="Reviewer" w:date="2026-01-05T11:00:00Z" '
             'w:initials="R"><w:p>%s</w:p></w:comment></w:comments>'
             % (NS, r("Comment text that must not appear.")))
    para(doc, "Before the box ",
         '<w:r><w:pict><v:shapetype id="_x0000_t202" coordsize="21600,21600" o:spt="202" '
         'path="m,l,21600r21600,l21600,xe"><v:stroke joinstyle="miter"/>'
         '<v:path gradientshapeok="t" o:connecttype="rect"/></v:shapetype>'
         '<v:shape id="box1" type="#_x0000_t202" style="width:150pt;height:30pt">'
         '<v:textbox><w:txbxContent><w:p>%s</w:p></w:txbxContent></v:textbox></v:shape>'
         '</w:pict></w:r>' % r("Text box text that must not appear."),
         "after the box.")
    p = doc.add_paragraph("Figure: ")
    p.add_run().add_picture(io.BytesIO(tiny_png()))
    p.add_run("a picture left out.")
    para(doc, "Tab:", '<w:r><w:tab/></w:r>', "next, line", '<w:r><w:br/></w:r>', "break.")
    doc.add_paragraph("Table 1: Conditions, with changes tracked.")
    t = table(doc, [
        ["Quantity", "Value"],
        ["Temperature", ""],
        ["Pressure", ""],
        ["Deleted row", "gone"],
        ["Inserted row", "kept"],
        ["Observer", ""],
        ["Page", ""],
    ])
    rows = t._tbl.tr_lst
    cell = rows[1].tc_lst[1]
    cell.p_lst[0].append(el(dele("290")))
    cell.p_lst[0].append(el(ins("300")))
    cell.p_lst[0].append(el(r(" K")))
    rows[2].tc_lst[1].p_lst[0].append(el(
        '<w:hyperlink r:id="%s">%s</w:hyperlink>'
        % (doc.part.relate_to("https://example.org/pressure", RT.HYPERLINK, is_external=True),
           r("1 atm"))))
    tr_props(rows[3], ['<w:del w:id="%d" %s/>' % (next(change_ids), CHANGE)])
    for tc in rows[3].tc_lst:
        p = tc.p_lst[0]
        text = p.xpath("string(.)")
        for child in list(p):
            if child.tag == qn("w:r"):
                p.remove(child)
        p.append(el(dele(text)))
    tr_props(rows[4], ['<w:ins w:id="%d" %s/>' % (next(change_ids), CHANGE)])
    for tc in rows[4].tc_lst:
        p = tc.p_lst[0]
        text = p.xpath("string(.)")
        for child in list(p):
            if child.tag == qn("w:r"):
                p.remove(child)
        p.append(el(ins(text)))
    # A content control around a whole cell, and one around the paragraph inside a cell.
    tc = rows[5].tc_lst[1]
    tc.p_lst[0].append(el(r("A. Person")))
    sdt = el('<w:sdt><w:sdtPr><w:id w:val="103"/></w:sdtPr><w:sdtContent/></w:sdt>')
    tc.addprevious(sdt)
    sdt[1].append(tc)
    tc = rows[6].tc_lst[1]
    tc.p_lst[0].append(el('<w:fldSimple w:instr=" PAGE ">%s</w:fldSimple>' % r("1")))
    doc.add_paragraph("End of the log.")
    return doc


def grid_skips():
    """Rows that skip grid places before or after them, a short row, legacy horizontal merges,
    and a cell merged down that spans two columns."""
    doc = docx.Document()
    doc.add_paragraph("Rows that start late or end early on the table's grid.")
    t = table(doc, [
        ["A", "B", "C", "D", "E"],
        ["", "F", "G", "H", "I"],
        ["J", "K", "L", "", ""],
        ["", "M", "", "", ""],
        ["N", "O", "", "", ""],
        ["P", "", "R", "S", "T"],
        ["", "V", "", "W", "X"],
        ["", "", "", "Y", "Z"],
    ])
    rows = t._tbl.tr_lst

    def drop(tr, indexes):
        for i in sorted(indexes, reverse=True):
            tr.remove(tr.tc_lst[i])

    drop(rows[1], [0])
    tr_props(rows[1], ['<w:gridBefore w:val="1"/>'])
    drop(rows[2], [3, 4])
    tr_props(rows[2], ['<w:gridAfter w:val="2"/>'])
    drop(rows[3], [0, 3, 4])
    rows[3].tc_lst[0].get_or_add_tcPr().append(el('<w:gridSpan w:val="3"/>'))
    drop(rows[3], [1])
    tr_props(rows[3], ['<w:gridBefore w:val="1"/>', '<w:gridAfter w:val="1"/>'])
    drop(rows[4], [2, 3, 4])  # a short row: no skipped places, the end is just missing
    rows[5].tc_lst[0].get_or_add_tcPr().append(el('<w:hMerge w:val="restart"/>'))
    rows[5].tc_lst[1].get_or_add_tcPr().append(el('<w:hMerge/>'))
    for tr, top in ((rows[6], True), (rows[7], False)):
        drop(tr, [0])
        drop(tr, [1])
        tcpr = tr.tc_lst[0].get_or_add_tcPr()
        tcpr.append(el('<w:gridSpan w:val="2"/>'))
        tcpr.append(el('<w:vMerge w:val="restart"/>' if top else '<w:vMerge/>'))
        tr_props(tr, ['<w:gridBefore w:val="1"/>'])
    doc.add_paragraph("Table 1: A ragged table.")
    doc.add_paragraph("A table whose every row skips its first place:")
    t = table(doc, [["", "Q1", "Q2"], ["", "10", "20"], ["", "30", "40"]])
    for tr in t._tbl.tr_lst:
        drop(tr, [0])
        tr_props(tr, ['<w:gridBefore w:val="1"/>'])
    doc.add_paragraph("End.")
    return doc


def paper():
    """An ordinary paper: headings, lists, captions and plain tables."""
    doc = docx.Document()
    doc.add_heading("Minor bodies of the Solar System", level=1)
    doc.add_paragraph("This note lists a few dwarf planets, moons and comets with their basic "
                      "data. Values are rounded.")
    doc.add_heading("1. Dwarf planets", level=2)
    doc.add_paragraph("Table 1: Dwarf planets.")
    table(doc, [
        ["Name", "Diameter (km)", "Semi-major axis (AU)"],
        ["Ceres", "939", "2.77"],
        ["Pluto", "2377", "39.5"],
        ["Haumea", "1632", "43.2"],
        ["Makemake", "1430", "45.4"],
        ["Eris", "2326", "67.9"],
    ])
    doc.add_paragraph("")
    doc.add_heading("2. Large moons", level=2)
    doc.add_paragraph("The largest moons are:")
    for name in ("Ganymede", "Titan", "Callisto"):
        doc.add_paragraph(name, style="List Bullet")
    table(doc, [
        ["Moon", "Planet", "Radius (km)", "Discovered"],
        ["Ganymede", "Jupiter", "2634", "1610"],
        ["Titan", "Saturn", "2575", "1655"],
        ["Callisto", "Jupiter", "2410", "1610"],
        ["Io", "Jupiter", "1822", "1610"],
        ["Moon", "Earth", "1737", ""],
    ])
    doc.add_paragraph("Table 2: Large moons (caption below).")
    doc.add_heading("3. Periodic comets", level=2)
    for step in ("Find the comet.", "Note its period.", "Check the catalogue."):
        doc.add_paragraph(step, style="List Number")
    table(doc, [
        ["Comet", "Period (yr)"],
        ["1P/Halley", "75.3"],
        ["2P/Encke", "3.30"],
        ["109P/Swift–Tuttle", "133"],
    ])
    doc.add_paragraph("References follow.")
    return doc


def large():
    """4961 lines, within the limit: five tables of about 950 cells among paragraphs."""
    rnd = random.Random(20260105)
    doc = docx.Document()
    doc.add_heading("A long survey", level=1)
    for section in range(1, 6):
        doc.add_heading("Section %d" % section, level=2)
        for i in range(40):
            doc.add_paragraph("Paragraph %d of section %d: the survey covered field %d with "
                              "exposures of %d s." % (i + 1, section, rnd.randint(1, 999),
                                                      rnd.randint(10, 600)))
        rows = [["Position", "", "Photometry", ""], ["RA (deg)", "Dec (deg)", "V", "B−V"]]
        for _ in range(236):
            rows.append(["%.4f" % rnd.uniform(0, 360), "%.4f" % rnd.uniform(-90, 90),
                         "%.2f" % rnd.uniform(2, 16), "%.2f" % rnd.uniform(-0.3, 2.0)])
        t = table(doc, rows)
        merge(t, 0, 0, 0, 1, "Position")
        merge(t, 0, 2, 0, 3, "Photometry")
        header_rows(t, 2)
        doc.add_paragraph("Table %d: Sources of section %d." % (section, section))
    return doc


SOURCES = [("photometry", photometry), ("planets", planets), ("tracked", tracked),
           ("grid-skips", grid_skips), ("paper", paper)]


def soffice(args, outdir):
    profile = tempfile.mkdtemp(prefix="lo-profile-")
    try:
        subprocess.run(["soffice", "-env:UserInstallation=file://" + profile, "--headless"] +
                       args + ["--outdir", outdir], check=True, stdout=subprocess.DEVNULL)
    finally:
        shutil.rmtree(profile, ignore_errors=True)


def write_expected(path):
    with open(path + ".expected.json", "w", encoding="utf-8") as f:
        f.write(reference_reader.to_json(reference_reader.read_document(path)))


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    os.chdir(here)
    files = []
    for name, build in SOURCES:
        files += [name + ".docx", name + ".odt", name + ".lo.docx"]
    files.append("large.docx")
    if argv[1:] != ["--expected-only"]:
        for name, build in SOURCES:
            build().save(name + ".docx")
            with tempfile.TemporaryDirectory() as out:
                soffice(["--convert-to", "odt", name + ".docx"], out)
                shutil.move(os.path.join(out, name + ".odt"), name + ".odt")
                soffice(["--convert-to", "docx:MS Word 2007 XML", name + ".docx"], out)
                shutil.move(os.path.join(out, name + ".docx"), name + ".lo.docx")
        large().save("large.docx")
    for path in files:
        write_expected(path)
        print(path, file=sys.stderr)


if __name__ == "__main__":
    main(sys.argv)

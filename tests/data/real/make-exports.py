#!/usr/bin/python3
"""Builds the word-processor documents of this folder and exports them as plain text.

Run once by hand (needs python3-docx and a headless word processor, soffice); the tests read only
the committed .txt exports. Each document's tables are listed in README.md with their true sizes.
"""
import subprocess
import docx

def table(doc, rows):
    t = doc.add_table(rows=len(rows), cols=len(rows[0]))
    for r, row in enumerate(rows):
        for c, cell in enumerate(row):
            t.cell(r, c).text = cell

def stars():
    doc = docx.Document()
    doc.add_heading("Photometry of bright stars", level=1)
    doc.add_paragraph(
        "We list the apparent visual magnitude V and the colour index B−V of a few of the "
        "brightest stars, as given in the Yale Bright Star Catalogue, 5th revised edition.")
    doc.add_paragraph("Table 1: Bright stars of both hemispheres.")
    table(doc, [
        ["Star", "V", "B−V", "Spectral type"],
        ["Sirius", "−1.46", "0.00", "A1V"],
        ["Canopus", "−0.74", "0.15", "A9II"],
        ["Arcturus", "−0.05", "1.23", "K1.5III"],
        ["Vega", "0.03", "0.00", "A0V"],
        ["Capella", "0.08", "0.80", "G5III"],
        ["Rigel", "0.13", "−0.03", "B8Ia"],
        ["Procyon", "0.34", "0.42", "F5IV"],
    ])
    doc.add_paragraph(
        "The observing budget for the season is summarised below; costs are in dollars.")
    table(doc, [
        ["Item", "Share", "Cost"],
        ["R&D", "12%", "$300"],
        ["Travel_costs", "40%", "$1000"],
        ["Filters {B,V}", "", "~$250"],
        ["Reduction #2", "5^2 h", "\\relax"],
    ])
    doc.add_paragraph("Table 2: Observing budget (caption below the table).")
    doc.add_paragraph("References follow the tables.")
    return doc

def planets():
    doc = docx.Document()
    doc.add_paragraph("The planets of the Solar System, from the NASA planetary fact sheet.")
    table(doc, [
        ["Planet", "Mass (10^24 kg)", "Diameter (km)", "Moons"],
        ["Mercury", "0.330", "4879", "0"],
        ["Venus", "4.87", "12104", "0"],
        ["Earth", "5.97", "12756", "1"],
        ["Mars", "0.642", "6792", "2"],
        ["Jupiter", "1898", "142984", "95"],
        ["Saturn", "568", "120536", "146"],
        ["Uranus", "86.8", "51118", "28"],
        ["Neptune", "102", "49528", "16"],
    ])
    doc.add_paragraph("Table 1 gives the mass, the equatorial diameter and the known moons.")
    doc.add_paragraph("Dwarf planets, one per line:")
    table(doc, [["Dwarf planet"], ["Ceres"], ["Pluto"], ["Haumea"], ["Makemake"], ["Eris"]])
    doc.add_paragraph("End of the note.")
    return doc

for name, build in (("stars", stars), ("planets", planets)):
    build().save(name + ".docx")
    subprocess.run(["soffice", "--headless", "--convert-to", "txt:Text", name + ".docx"],
                   check=True)
    subprocess.run(["mv", name + ".txt", name + "-lf.txt"], check=True)
    subprocess.run(["soffice", "--headless", "--convert-to",
                    "txt:Text (encoded):MS_1252,CRLF,,", name + ".docx"], check=True)
    subprocess.run(["mv", name + ".txt", name + "-crlf-1252.txt"], check=True)

# Word's "Unicode Text": UTF-16LE with its byte-order mark and CR LF, for the stars only. Its
# converted form is the LF export's, which holds the same text, in the same encoding.
subprocess.run(["soffice", "--headless", "--convert-to",
                "txt:Text (encoded):UNICODE,CRLF,,", "stars.docx"], check=True)
subprocess.run(["mv", "stars.txt", "stars-crlf-utf16.txt"], check=True)
with open("stars-lf.tex", encoding="utf-8-sig") as lf, open("stars-crlf-utf16.tex", "wb") as out:
    out.write(b"\xff\xfe" + lf.read().encode("utf-16-le"))

#include "frmhelp.h"

#include <algorithm>

namespace cellwright {

frmHelp::frmHelp(HelpParagraphs &paragraphs)
    : m_paragraphs(paragraphs)
{
    setCaption(QStringLiteral("Help"));
    setBorderStyle(Border::Sizable);
    setMinButton(true);
    setMaxButton(true);
    setBackColor(SysWindowBackground);
    setForeColor(SysWindowText);
    setFont(QStringLiteral("MS Sans Serif"), 8.25f, true);
    setClientSize(14430, 11115);
    setLeft(630);
    setTop(990);

    Label1[5].Move(240, 5280, 6495, 2655);
    Label1[0].Move(12000, 7920, 255, 255);
    Label0.Move(120, 0, 6615, 375);
    Label0.setFont(QStringLiteral("Arial"), 15.75f, true);
    Label0.setForeColor(Rgb(192, 0, 0));
    Label0.setAlignment(Align::Center);
    Label1[4].Move(240, 4080, 6495, 2295);
    Label1[3].Move(240, 3000, 6495, 2655);
    Label1[2].Move(240, 1680, 6495, 3015);
    Label1[1].Move(240, 480, 6495, 2895);
    Label0.setBackColor(SysWindowBackground);
    for (int i = 0; i < Label1.Count(); ++i)
        Label1[i].setBackColor(SysWindowBackground);

    // Stacking order, back to front: each later paragraph lies in front of the earlier ones, so
    // the empty lower part of a paragraph's label never hides the text of the next.
    for (Label *label :
        { &Label1[1], &Label1[2], &Label1[3], &Label1[4], &Label0, &Label1[0], &Label1[5] })
        label->ZOrder(0);
}

void frmHelp::Form_Load()
{
    Label0.setCaption(QStringLiteral("Help - Cellwright"));

    HelpParagraphs &p = m_paragraphs;
    p.HelpText[1] = QStringLiteral("The purpose of this program is to convert the tables of a "
                                   "paper into LaTeX tabular rows.")
        + QStringLiteral(
            "  A word processor that saves a document as plain text puts every table cell on a "
            "line of its own; this program finds every table, joins the cells of a row with an "
            "ampersand and closes each row with a double back-slash.")
        + QStringLiteral("  The rest of the document is left unchanged.");
    p.HelpText[2]
        = QStringLiteral("To start, click 'Open file' and pick the paper: a plain-text export "
                         "(*.txt), with CR LF or LF line ends, or a Word or a LibreOffice document "
                         "(*.docx, *.odt), shown under the third type of file in the dialog.")
        + QStringLiteral(
            "  A .docx or .odt is read directly: each paragraph and each table cell becomes a "
            "line, and its tables are known exactly, spans and merged cells included.");
    p.HelpText[3] = QStringLiteral("To describe the tables yourself, first choose the number of "
                                   "tables (one to six), then type for each one the exact text of "
                                   "its top-left cell and its number of rows and of columns.")
        + QStringLiteral(
            "  Each table is found by the text in its top-left cell, so make that text unique in "
            "the document, or let the Tables menu fill in the boxes for you.");
    p.HelpText[4]
        = QStringLiteral("[menu]Tables > Find Tables lists the tables that the program proposes, "
                         "each with its line, size, first cell and how sure it is.")
        + QStringLiteral(
            "  Choose an entry to see its first and last rows; if its size is wrong (look twice at "
            "those marked 'check the size'), put it right in the Rows and Columns boxes.")
        + QStringLiteral(
            "  A missing table can be added by the line of its top-left cell (Line, Add).")
        + QStringLiteral("  Tick up to six and press 'Use' to fill the boxes; each one converts at "
                         "its own line.");
    p.HelpText[5] = QStringLiteral("After that, click 'Convert' and each table is rewritten in "
                                   "place -- one line per row, with an ampersand between the cells "
                                   "and a double back-slash at the end of each row.")
        + QStringLiteral("  [menu]Tables > Escape Special Characters writes LaTeX's special "
                         "characters (& % $ # _ { } ~ ^ \\) as commands that print them; "
                         "Complete Tabular Environments writes whole tabulars with booktabs rules "
                         "(load the booktabs package).")
        + QStringLiteral(
            "  Click 'View' to look at a table, 'Reset' to undo it, and 'Save File' to "
            "save the document (lines end in CR LF; a .docx or .odt is saved as UTF-8 "
            "text, never over itself).");

    p.HelpParagraphCount = 5;

    for (int i = 1; i <= 5; ++i)
        Label1[i].setVisible(true);
    for (int i = p.HelpParagraphCount + 1; i <= 5; ++i)
        Label1[i].setVisible(false);

    for (int k = 1; k <= p.HelpParagraphCount; ++k) {
        Label1[k].setCaption(p.HelpText[k]);
        p.HelpTextLength[k] = int16_t(p.HelpText[k].size());
    }

    // The heading keeps its stored width until the first resize.
    Layout(HelpPass::Load);
}

void frmHelp::Form_Resize()
{
    // Below the minimum width the window is widened; that resize lays it out, nested.
    if (WindowState() == WindowMode::Normal && Width() < HelpMinWidth) {
        setWidth(Twips(HelpMinWidth));
        if (Width() >= HelpMinWidth)
            return;
    }
    Layout(HelpPass::Resize);
}

void frmHelp::Layout(HelpPass pass)
{
    const int count = std::clamp(int(m_paragraphs.HelpParagraphCount), 0, HelpMaxParagraphs);

    if (pass == HelpPass::Resize)
        Label0.setWidth(Twips(HelpLabelWidth(Width())));

    for (int k = 1; k <= count; ++k)
        Label1[k].setWidth(Twips(HelpLabelWidth(Width())));

    // Each top follows from the top and width the label reports, not the ones it was given.
    double y = HelpFirstTop;
    for (int k = 1; k <= count; ++k) {
        Label1[k].setTop(Twips(y));
        y = HelpNextTop(
            Label1[k].Top(), m_paragraphs.HelpTextLength[std::size_t(k)], Label1[k].Width(), pass);
    }

    // A minimized or maximized window cannot take a height: it keeps the one it has.
    if (WindowState() == WindowMode::Normal)
        setHeight(Twips(HelpWindowHeight(Width(), m_paragraphs.HelpTextLength, count, pass)));
}

} // namespace cellwright

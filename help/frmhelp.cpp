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
    p.HelpText[1]
        = QStringLiteral("The purpose of this program is to convert text files containing tables.")
        + QStringLiteral("  Normally, in Word, when you save such a file in text format, the table "
                         "gets saved with one cell per line (ugly!!).")
        + QStringLiteral("  Needless to say, this is very unfriendly to the folks at Meridex who "
                         "must convert it to the proper tex format.")
        + QStringLiteral("  This program does the necessary conversion for you.");
    p.HelpText[2] = QStringLiteral("To use, first create the table you require in Excel, with "
                                   "contiguous columns just as they will appear in the paper.")
        + QStringLiteral("  Make sure that the top-left cell in each table has a unique name.")
        + QStringLiteral("  Highlight the portion to be copied, then copy (use Ctrl+C).")
        + QStringLiteral(
            "  In Word, use [menu]Edit > Paste Special, then select Formatted Text <Rtn>.")
        + QStringLiteral("  The table now appears in your document.");
    p.HelpText[3]
        = QStringLiteral("When the paper is ready to go, save the file in text format [menu]File > "
                         "Save As ...")
        + QStringLiteral(
            "  Instead of Word Document (*.doc), scroll down and select Plain Text (*.txt).")
        + QStringLiteral("  After that, the default options are fine.")
        + QStringLiteral(
            "  (As a final step, later on, you will want to save in text format, LF only.")
        + QStringLiteral("  This is the option that Linux users like.)");
    p.HelpText[4] = QStringLiteral("From this program, load the text file and fill in the correct "
                                   "values for the number of tables, and the size of each table.")
        + QStringLiteral("  For the number of rows in a given table, instead of counting manually, "
                         "determine the value from Excel, or from Word.")
        + QStringLiteral("  Word will tell you the number of rows if you do the following:  "
                         "Highlight the table, then [menu]Table > Split Cells.")
        + QStringLiteral("  For some reason, the number of columns is wrong, but who cares? -- "
                         "They are easy to count.")
        + QStringLiteral(""); // its fifth sentence is empty
    p.HelpText[5] = QStringLiteral("After that, click 'Convert' and the text file is converted "
                                   "into the correct format -- with an ampersand between columns, "
                                   "and a double back-slash at the end of each row.")
        + QStringLiteral("  You can check the format within the program by clicking 'View' for "
                         "each table.")
        + QStringLiteral("  If all is well, click 'Save File', and the text file is saved under a "
                         "name of your choosing.")
        + QStringLiteral("  Don't forget -- as a last step -- of reloading the file into Word and "
                         "saving as a text file again, but with LF only.")
        + QStringLiteral("  You can, at this time, change the wording in the top left cell of "
                         "each column to the names you really want.");

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

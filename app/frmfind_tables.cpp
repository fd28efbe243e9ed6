#include "frmfind_tables.h"

#include "app.h"
#include "frmmain.h"
#include "latex_escape.h"

#include <algorithm>

namespace cellwright {

namespace {
// Light blue, as the main window.
constexpr OleColor FindBackColor = Rgb(192, 192, 255);
// Put before an entry whose cells hold characters LaTeX treats specially.
const QString SpecialMark = QStringLiteral("\u26a0 ");

QString FromU16(const std::u16string &text)
{
    return QString::fromStdU16String(text);
}

// Line n of the document as read, "" past its end.
const std::u16string &SourceLine(const ConversionState &state, int n)
{
    static const std::u16string none;
    return n >= 1 && n <= state.SourceLineCount ? state.SourceLines[std::size_t(n)] : none;
}

bool BlockHasSpecials(const ConversionState &state, const TableProposal &p)
{
    const long long last = std::min<long long>(
        static_cast<long long>(p.FirstLine) + static_cast<long long>(p.Rows) * p.Cols - 1,
        state.SourceLineCount);
    for (long long n = std::max(p.FirstLine, 1); n <= last; ++n)
        if (HasLatexSpecials(state.SourceLines[std::size_t(n)]))
            return true;
    return false;
}
} // namespace

frmFind_Tables::frmFind_Tables(App &app)
    : app(app)
{
    setCaption(QStringLiteral("Find Tables"));
    setBorderStyle(Border::FixedSingle);
    setMaxButton(false);
    setBackColor(FindBackColor);
    setClientSize(7200, 5235);

    Label1.Move(120, 120, 3000, 255);
    Label1.setCaption(QStringLiteral("Tables found"));
    List1.Move(120, 360, 6960, 2055);
    List1.setAccessibleName(QStringLiteral("Tables found"));
    Label2.Move(120, 2475, 6960, 435);
    Label2.setCaption(SpecialMark
        + QStringLiteral("marks tables whose cells hold LaTeX special characters "
                         "(& % $ # _ { } ~ ^ \\); Tables > Escape Special Characters makes "
                         "them safe."));
    Label3.Move(120, 2970, 6960, 255);
    Label3.setCaption(QStringLiteral("First rows of the chosen table"));
    Grid1.Move(120, 3210, 6960, 1455);
    Grid1.setAccessibleName(QStringLiteral("First rows of the chosen table"));
    Label4.Move(120, 4800, 4200, 255);
    Command1.Move(4440, 4740, 1215, 375);
    Command1.setCaption(QStringLiteral("Use"));
    Command2.Move(5865, 4740, 1215, 375);
    Command2.setCaption(QStringLiteral("Close"));
    for (CommandButton *button : { &Command1, &Command2 })
        button->setAccessibleName(button->Caption());
    for (Label *label : { &Label1, &Label2, &Label3, &Label4 })
        label->setBackColor(FindBackColor);

    setTabOrder({ &List1, &Grid1, &Command1, &Command2 });

    List1.Click = [this] { List1_Click(); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
}

void frmFind_Tables::Form_Load()
{
    const ConversionState &state = app.state;
    proposals = ProposeTables(state);
    for (const TableProposal &p : proposals) {
        const QString mark = BlockHasSpecials(state, p) ? SpecialMark : QString();
        List1.AddItem(mark
            + QStringLiteral("Line %1, %2 \u00d7 %3: %4")
                  .arg(p.FirstLine)
                  .arg(p.Rows)
                  .arg(p.Cols)
                  .arg(FromU16(p.FirstCell)));
    }
    Label4.setCaption(proposals.empty()
            ? QStringLiteral("No table found in this document.")
            : QStringLiteral("%1 found; tick up to six and press \"Use\".")
                  .arg(proposals.size() == 1 ? QStringLiteral("1 table")
                                             : QStringLiteral("%1 tables").arg(proposals.size())));
    Command1.setEnabled(!proposals.empty());
    if (!proposals.empty())
        List1.setListIndex(0); // runs List1_Click: the preview of the first
}

void frmFind_Tables::List1_Click()
{
    const int i = List1.ListIndex();
    if (i < 0 || i >= int(proposals.size()))
        return;
    const TableProposal &p = proposals[std::size_t(i)];
    const int rows = std::min(p.Rows, PreviewRows);
    Grid1.Clear();
    Grid1.setRows(rows);
    Grid1.setCols(p.Cols);
    if (const TableShape *shape = KnownTableAt(app.state, p.FirstLine)) {
        // Each cell at its place on the grid; a cell spanning columns shows in its first.
        int line = p.FirstLine;
        for (int r = 0; r < rows; ++r) {
            for (const ShapeCell &cell : shape->Rows[std::size_t(r)].Cells) {
                if (!cell.CoveredFromAbove && cell.Column < p.Cols)
                    Grid1.setTextMatrix(r, cell.Column, FromU16(SourceLine(app.state, line)));
                ++line;
            }
        }
        return;
    }
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < p.Cols; ++c)
            Grid1.setTextMatrix(r, c, FromU16(SourceLine(app.state, p.FirstLine + r * p.Cols + c)));
}

QString frmFind_Tables::UseRefusal(const std::vector<int> &ticked) const
{
    if (ticked.empty())
        return QStringLiteral("Tick the tables to use first.");
    if (ticked.size() > std::size_t(MaxTables))
        return QStringLiteral("%1 tables are ticked, but the main window has boxes for six at "
                              "most. Untick some and press \"Use\" again.")
            .arg(ticked.size());
    return QString();
}

void frmFind_Tables::Command1_Click()
{
    std::vector<int> ticked;
    for (int i = 0; i < List1.ListCount() && i < int(proposals.size()); ++i)
        if (List1.Selected(i))
            ticked.push_back(i);
    if (const QString refusal = UseRefusal(ticked); !refusal.isEmpty()) {
        MsgBox(refusal);
        return;
    }

    frmMain &main = *app.frmMain;
    main.Combo1.setListIndex(int(ticked.size()) - 1); // runs Combo1_Click: the rows shown
    for (std::size_t k = 0; k < ticked.size(); ++k) {
        const TableProposal &p = proposals[std::size_t(ticked[k])];
        main.Text1[int(k)].setText(FromU16(p.FirstCell));
        main.Text2[int(k)].setText(QString::number(p.Rows));
        main.Text3[int(k)].setText(QString::number(p.Cols));
        // After the boxes, whose change would undo it: the row converts at the proposal's line.
        main.UsedLine[k] = p.FirstLine;
    }
    Unload();
}

void frmFind_Tables::Command2_Click()
{
    Unload();
}

} // namespace cellwright

#include "frmfind_tables.h"

#include "app.h"
#include "frmmain.h"
#include "latex_escape.h"
#include "text_rules.h"

#include <algorithm>

namespace cellwright {

namespace {
// Light blue, as the main window.
constexpr OleColor FindBackColor = Rgb(192, 192, 255);
// Put before an entry whose cells hold characters LaTeX treats specially.
const QString SpecialMark = QStringLiteral("\u26a0 ");
// The preview's row, and its label, for the rows left out.
const QString GapMark = QStringLiteral("\u22ee");

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

// The shape the document gives the table, when the entry still has that shape's size.
const TableShape *KnownShape(const ConversionState &state, const TableProposal &p)
{
    const TableShape *shape = KnownTableAt(state, p.FirstLine);
    return shape && int(shape->Rows.size()) == p.Rows && shape->Cols == p.Cols ? shape : nullptr;
}

// How an entry says how sure its size is.
QString SurenessText(frmFind_Tables::Sure sure)
{
    switch (sure) {
    case frmFind_Tables::Sure::SetByUser:
        return QStringLiteral("size set by you");
    case frmFind_Tables::Sure::AsInDocument:
        return QStringLiteral("as in the document");
    case frmFind_Tables::Sure::Likely:
        return QStringLiteral("likely");
    case frmFind_Tables::Sure::Guessed:
        break;
    }
    return QStringLiteral("check the size");
}

// The table's rows the preview shows, from 0, with -1 for the gap.
std::vector<int> PreviewedRows(int rows)
{
    std::vector<int> shown;
    const bool whole = rows <= PreviewFirstRows + 1 + PreviewLastRows;
    for (int r = 0; r < rows; ++r) {
        if (whole || r < PreviewFirstRows || r >= rows - PreviewLastRows)
            shown.push_back(r);
        else if (r == PreviewFirstRows)
            shown.push_back(-1);
    }
    return shown;
}

// A whole number from 1 to MaxLines in box, or 0.
int SizeIn(const TextBox &box)
{
    bool ok = false;
    const int value = box.Text().trimmed().toInt(&ok);
    return ok && value >= 1 && value <= MaxLines ? value : 0;
}
} // namespace

frmFind_Tables::frmFind_Tables(App &app)
    : app(app)
{
    setCaption(QStringLiteral("Find Tables"));
    setBorderStyle(Border::FixedSingle);
    setMaxButton(false);
    setBackColor(FindBackColor);
    setClientSize(7200, 6015);

    tablesLabel.Move(120, 120, 3000, 255);
    tablesLabel.setCaption(QStringLiteral("Tables found"));
    tablesList.Move(120, 360, 6960, 1815);
    tablesList.setAccessibleName(QStringLiteral("Tables found"));
    rowsLabel.Move(120, 2325, 495, 255);
    rowsLabel.setCaption(QStringLiteral("Rows"));
    rowsBox.Move(615, 2265, 735, 315);
    columnsLabel.Move(1470, 2325, 735, 255);
    columnsLabel.setCaption(QStringLiteral("Columns"));
    columnsBox.Move(2205, 2265, 735, 315);
    lineLabel.Move(4215, 2325, 480, 255);
    lineLabel.setCaption(QStringLiteral("Line"));
    lineBox.Move(4695, 2265, 1050, 315);
    addButton.Move(5865, 2235, 1215, 375);
    addButton.setCaption(QStringLiteral("Add"));
    specialsLabel.Move(120, 2760, 6960, 435);
    specialsLabel.setCaption(SpecialMark
        + QStringLiteral("marks tables whose cells hold LaTeX special characters "
                         "(& % $ # _ { } ~ ^ \\); Tables > Escape Special Characters makes "
                         "them safe."));
    previewLabel.Move(120, 3255, 6960, 255);
    previewLabel.setCaption(QStringLiteral("First and last rows of the chosen table"));
    previewGrid.Move(120, 3495, 6960, 1935);
    previewGrid.setAccessibleName(previewLabel.Caption());
    statusLabel.Move(120, 5520, 4200, 435);
    useButton.Move(4440, 5520, 1215, 375);
    useButton.setCaption(QStringLiteral("Use"));
    closeButton.Move(5865, 5520, 1215, 375);
    closeButton.setCaption(QStringLiteral("Close"));
    // Each box is known by the caption beside it, each button by its own.
    for (const auto &[box, label] : { std::pair { &rowsBox, &rowsLabel },
             { &columnsBox, &columnsLabel }, { &lineBox, &lineLabel } })
        box->setAccessibleName(label->Caption());
    for (CommandButton *button : { &addButton, &useButton, &closeButton })
        button->setAccessibleName(button->Caption());
    for (Label *label : { &tablesLabel, &rowsLabel, &columnsLabel, &lineLabel, &specialsLabel,
             &previewLabel, &statusLabel })
        label->setBackColor(FindBackColor);

    setTabOrder({ &tablesList, &rowsBox, &columnsBox, &lineBox, &addButton, &previewGrid,
        &useButton, &closeButton });

    tablesList.Click = [this] { tablesList_Click(); };
    rowsBox.Change = [this] { rowsBox_Change(); };
    columnsBox.Change = [this] { columnsBox_Change(); };
    addButton.Click = [this] { addButton_Click(); };
    useButton.Click = [this] { useButton_Click(); };
    closeButton.Click = [this] { closeButton_Click(); };
}

void frmFind_Tables::Form_Load()
{
    proposals = ProposeTables(app.state);
    proposed = proposals;
    for (std::size_t i = 0; i < proposals.size(); ++i)
        tablesList.AddItem(EntryText(i));
    ShowCount();
    // The size boxes follow the chosen entry; there is none yet.
    rowsBox.setEnabled(false);
    columnsBox.setEnabled(false);
    if (!proposals.empty())
        tablesList.setListIndex(0); // runs tablesList_Click: the size and preview of the first
}

frmFind_Tables::Sure frmFind_Tables::Sureness(std::size_t i) const
{
    const TableProposal &p = proposals[i];
    if (p.Rows != proposed[i].Rows || p.Cols != proposed[i].Cols)
        return Sure::SetByUser;
    if (KnownShape(app.state, p))
        return Sure::AsInDocument;
    return p.Confidence >= LikelyConfidence ? Sure::Likely : Sure::Guessed;
}

QString frmFind_Tables::EntryText(std::size_t i) const
{
    const TableProposal &p = proposals[i];
    const QString mark = BlockHasSpecials(app.state, p) ? SpecialMark : QString();
    return mark
        + QStringLiteral("Line %1, %2 \u00d7 %3 (%4): %5")
              .arg(p.FirstLine)
              .arg(p.Rows)
              .arg(p.Cols)
              .arg(SurenessText(Sureness(i)), FromU16(p.FirstCell));
}

void frmFind_Tables::ShowCount()
{
    const std::size_t n = proposals.size();
    // A text export's sizes are read off its lines; the document it was exported from knows them.
    bool guessed = false;
    for (std::size_t i = 0; i < n && !app.state.DocumentTablesKnown; ++i)
        guessed = guessed || Sureness(i) == Sure::Guessed;
    statusLabel.setCaption(n == 0
            ? QStringLiteral("No table found. Type the line of a table's top-left cell and "
                             "press \"Add\".")
            : QStringLiteral("%1 listed; tick up to six and press \"Use\".%2")
                  .arg(n == 1 ? QStringLiteral("1 table") : QStringLiteral("%1 tables").arg(n),
                      guessed ? QStringLiteral(" Opening the .docx or .odt itself gives every "
                                               "size exactly.")
                              : QString()));
    useButton.setEnabled(n > 0);
}

void frmFind_Tables::tablesList_Click()
{
    const int i = tablesList.ListIndex();
    if (i < 0 || i >= int(proposals.size()))
        return;
    const TableProposal &p = proposals[std::size_t(i)];
    // The boxes' Change finds the size the entry has already and leaves it.
    rowsBox.setText(QString::number(p.Rows));
    columnsBox.setText(QString::number(p.Cols));
    rowsBox.setEnabled(true);
    columnsBox.setEnabled(true);
    ShowPreview(p);
}

void frmFind_Tables::rowsBox_Change()
{
    Resize(rowsBox, &TableProposal::Rows);
}

void frmFind_Tables::columnsBox_Change()
{
    Resize(columnsBox, &TableProposal::Cols);
}

void frmFind_Tables::Resize(const TextBox &box, int TableProposal::*size)
{
    const int i = tablesList.ListIndex();
    const int value = SizeIn(box);
    // While the box holds no size (emptied to type another), the entry keeps the one it has.
    if (i < 0 || i >= int(proposals.size()) || value == 0)
        return;
    TableProposal &p = proposals[std::size_t(i)];
    if (p.*size == value)
        return;
    p.*size = value;
    tablesList.setList(i, EntryText(std::size_t(i)));
    ShowPreview(p);
}

void frmFind_Tables::ShowPreview(const TableProposal &p)
{
    const std::vector<int> shown = PreviewedRows(p.Rows);
    previewGrid.Clear();
    previewGrid.setRows(int(shown.size()));
    previewGrid.setCols(p.Cols);

    // The line of each row's first cell: rows of a known shape hold as many lines as cells.
    const TableShape *shape = KnownShape(app.state, p);
    std::vector<int> rowLine(std::size_t(p.Rows), p.FirstLine);
    for (int r = 1; r < p.Rows; ++r)
        rowLine[std::size_t(r)] = rowLine[std::size_t(r - 1)]
            + (shape ? int(shape->Rows[std::size_t(r - 1)].Cells.size()) : p.Cols);

    for (int g = 0; g < int(shown.size()); ++g) {
        const int r = shown[std::size_t(g)];
        if (r < 0) {
            previewGrid.setRowLabel(g, GapMark);
            for (int c = 0; c < p.Cols; ++c)
                previewGrid.setTextMatrix(g, c, GapMark);
            continue;
        }
        previewGrid.setRowLabel(g, QString::number(r + 1));
        const int line = rowLine[std::size_t(r)];
        if (!shape) {
            for (int c = 0; c < p.Cols; ++c)
                previewGrid.setTextMatrix(g, c, FromU16(SourceLine(app.state, line + c)));
            continue;
        }
        // Each cell at its place on the grid; a cell spanning columns shows in its first.
        const std::vector<ShapeCell> &cells = shape->Rows[std::size_t(r)].Cells;
        for (std::size_t e = 0; e < cells.size(); ++e)
            if (!cells[e].CoveredFromAbove && cells[e].Column < p.Cols)
                previewGrid.setTextMatrix(
                    g, cells[e].Column, FromU16(SourceLine(app.state, line + int(e))));
    }
}

void frmFind_Tables::addButton_Click()
{
    const ConversionState &state = app.state;
    bool ok = false;
    const int line = lineBox.Text().trimmed().toInt(&ok);
    if (!ok || line < 1 || line > state.SourceLineCount) {
        MsgBox(QStringLiteral("Type the number of the line that holds the table's top-left "
                              "cell, from 1 to %1, and press \"Add\" again.")
                   .arg(state.SourceLineCount));
        return;
    }
    // In document order; a table listed already is chosen, not listed twice.
    const auto at = std::lower_bound(proposals.begin(), proposals.end(), line,
        [](const TableProposal &p, int n) { return p.FirstLine < n; });
    const auto i = std::size_t(at - proposals.begin());
    if (at == proposals.end() || at->FirstLine != line) {
        std::optional<TableProposal> p = ProposeTable(state, line);
        // Where nothing reads as a table, one cell to start from.
        if (!p || p->FirstLine != line)
            p = TableProposal { line, std::u16string(TrimSpaces(SourceLine(state, line))), 1, 1,
                0.0 };
        proposals.insert(at, *p);
        proposed.insert(proposed.begin() + std::ptrdiff_t(i), *p);
        tablesList.AddItem(EntryText(i), int(i));
        ShowCount();
    }
    tablesList.setListIndex(int(i)); // runs tablesList_Click
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

void frmFind_Tables::useButton_Click()
{
    std::vector<int> ticked;
    for (int i = 0; i < tablesList.ListCount() && i < int(proposals.size()); ++i)
        if (tablesList.Selected(i))
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

void frmFind_Tables::closeButton_Click()
{
    Unload();
}

} // namespace cellwright

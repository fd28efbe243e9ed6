// Read_Textfile: the conversion engine.
//
// Data flows one way through the conversion state: ReadDocument fills SourceLines and WorkLines
// from a file, CaptureTableSettings copies the main window's table boxes into the state,
// ConvertTables rewrites WorkLines in place, WriteDocument saves WorkLines, ResetConversion copies
// SourceLines back. The main window is reached only through the MainWindow interface.
#pragma once

#include "conversion_state.h"
#include "main_window.h"

#include <string>
#include <string_view>
#include <vector>

namespace cellwright {

// The two messages every user of the engine may see, exactly as shown.
inline constexpr char16_t ReadErrorMessage[] = u"Read error of some kind";
inline constexpr char16_t IncompleteBoxesMessage[] = u"Hey, you need to complete the boxes!";

// A line or a first box as the conversion compares them: without the spaces (code 32) at both
// ends; tabs and every other character stay.
std::u16string_view TrimSpaces(std::u16string_view text);

// One place where ConvertTables finds a table's first-cell text. Line numbers count in the
// working document as it stands before the conversion, so they point into the file as read.
struct TableMatch {
    int Table = 0; // 1 to TableCount
    int FirstLine = 0; // the top-left cell
    int LastLine = 0; // the last cell; beyond the document's last line when the block does not fit
    bool Fits = false; // false: the block runs past the end of the document
};

// What ConvertTables would do with the boxes and settings as they stand.
struct ConversionPreview {
    // The message the conversion would refuse with before searching (incomplete boxes, a table
    // too large); empty when it would search.
    std::u16string Refusal;
    // Every match of every table, in the order the conversion meets them. A block that does not
    // fit is listed and left unconverted, so the tables after it are still looked for.
    std::vector<TableMatch> Matches;
};

// A table given by its place: the line of its top-left cell in the working document as it stands
// before the conversion (after a read or a reset, the document as read), or, with Line 0, the
// text of that cell, found as ConvertTables finds it (every block that starts with it).
struct TableAt {
    int Line = 0;
    std::u16string FirstCell; // with Line 0: compared like TableFirstCell
    int Rows = 0;
    int Cols = 0;
};

class Read_Textfile {
public:
    Read_Textfile(ConversionState &state, MainWindow &window)
        : state(state)
        , window(window)
    {
    }

    // Reads OpenFileName in OpenFolder into both line stores, all or nothing; on success sets the
    // window's caption and enables "Convert". Any failure shows "Read error of some kind".
    void ReadDocument();

    // Copies the table count and the three boxes of tables 1..TableCount into the state.
    void CaptureTableSettings();

    // Checks the boxes and converts every described table in WorkLines, all or nothing.
    void ConvertTables();

    // Saves WorkLines to SaveFileName in SaveFolder, atomically. Returns false after showing
    // "Could not save NAME: REASON"; the existing file and the state are then untouched.
    bool WriteDocument();

    // Gives WorkLines back the document as read and resets the buttons for a new conversion.
    void ResetConversion();

    // Runs the conversion's checks and search on a scratch copy and reports what they found;
    // changes nothing and shows no message.
    ConversionPreview PreviewConversion() const;

    // Converts the tables in the order given, any number of them, each on the document as the
    // ones before it left it, all or nothing, and updates Convert, Save File and Reset as
    // ConvertTables does (TableStart and View belong to the boxes and are left alone). Shows why
    // and returns false when a table is too large, does not fit, or its line was taken by the
    // block of a table before it.
    bool ConvertTablesAt(const std::vector<TableAt> &tables);

    // What ConvertTablesAt would find; matches name the tables by their place in the list, from 1,
    // and a table whose line was taken has none. Changes nothing and shows no message.
    ConversionPreview PreviewTablesAt(const std::vector<TableAt> &tables) const;

    // Tests: the name (beside the target) that every save tries first for its temporary file;
    // empty, a fresh name. A name that is taken is passed over for a fresh one.
    void SetFirstTemporaryName(std::u16string name) { firstTemporaryName = std::move(name); }

private:
    // Reads the document and commits it to the state; false when it could not be read whole.
    bool ReadIntoState();
    // Saves the working document; the reason it could not, or empty on success.
    std::u16string WriteToTarget() const;
    // The message that refuses the boxes as they stand, or empty when they are complete.
    std::u16string BoxesRefusal() const;

    ConversionState &state;
    MainWindow &window;
    std::u16string firstTemporaryName;
    mutable unsigned long temporarySerial = 0; // temporary names this engine has tried
};

} // namespace cellwright

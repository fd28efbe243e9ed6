// Read_Textfile: what the main window's buttons and the file dialogs run. Each procedure reads
// what it needs from the boxes and the conversion state, asks the engine, and shows the answer
// the way the window always has: a message box for a refusal, the title and the buttons' Enabled
// for a success. The engine itself shows nothing.
#pragma once

#include "conversion.h"
#include "conversion_state.h"
#include "document_reading.h"
#include "main_window.h"
#include "read_document.h"
#include "text_rules.h"

#include <string>
#include <vector>

namespace cellwright {

class Read_Textfile {
public:
    Read_Textfile(ConversionState &state, MainWindow &window)
        : state(state)
        , window(window)
    {
    }

    // Makes OpenFolder the current folder (so that a dialog made afresh starts there) and reads
    // OpenFileName there into both line stores, all or nothing; on success sets the window's
    // caption and enables "Convert". A word-processor document that cannot be read says why;
    // any other failure shows "Read error of some kind".
    void ReadDocument();

    // Copies the table count and the three boxes of tables 1..TableCount into the state.
    void CaptureTableSettings();

    // Checks the boxes and converts every described table in WorkLines, all or nothing.
    void ConvertTables();

    // Saves WorkLines to SaveFileName in SaveFolder (made the current folder), atomically.
    // Returns false after showing "Could not save NAME: REASON"; the existing file and the state
    // are then untouched.
    bool WriteDocument();

    // Gives WorkLines back the document as read and resets the buttons for a new conversion.
    void ResetConversion();

    // Converts the tables given by their place and updates Convert, Save File and Reset as
    // ConvertTables does (TableStart and View belong to the boxes and are left alone). Shows why
    // and returns false when the engine refuses.
    bool ConvertTablesAt(const std::vector<TableAt> &tables);

    // Tests: the name (beside the target) that every save tries first for its temporary file;
    // empty, a fresh name. A name that is taken is passed over for a fresh one.
    void SetFirstTemporaryName(std::u16string name) { firstTemporaryName = std::move(name); }

private:
    // The boxes of tables 1..TableCount as they stand.
    std::vector<TableBoxes> Boxes() const;
    void ConversionDone();

    ConversionState &state;
    MainWindow &window;
    std::u16string firstTemporaryName;
};

} // namespace cellwright

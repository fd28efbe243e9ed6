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

namespace cellwright {

// The two messages every user of the engine may see, exactly as shown.
inline constexpr char16_t ReadErrorMessage[] = u"Read error of some kind";
inline constexpr char16_t IncompleteBoxesMessage[] = u"Hey, you need to complete the boxes!";

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

private:
    ConversionState &state;
    MainWindow &window;
};

} // namespace cellwright

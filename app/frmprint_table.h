// frmPrint_Table: the table viewer. Draws the rows of one converted table, one line each, from
// the working document; its height follows the table's number of rows.
#pragma once

#include "conversion_state.h"
#include "toolkit.h"

namespace cellwright {

// Height of one table row in the viewer, in twips.
inline constexpr int32_t ViewerRowHeight = 205;

class frmPrint_Table : public Form {
public:
    explicit frmPrint_Table(ConversionState &state);

    void Form_Load() override;

    // Height = ViewerHeight; a height of a row at least, and no taller than a window can be.
    void ApplyViewerHeight();
    // Caption "Table" and the number with a blank for its sign; draws lines TableStart(t) to
    // TableStart(t) + TableRows(t) - 1 of the working document, none past the last position.
    void ShowTable(int t);

    // The height the viewer gives itself for a ViewerHeight: pure arithmetic, for tests.
    static Twips ViewerWindowHeight(int32_t viewerHeight);

private:
    ConversionState &state;
};

} // namespace cellwright

// frmAbout: the about box. Names the product and its version and says where reports go; seven
// centred labels and nothing else: no handler, no command, nothing that takes the focus.
#pragma once

#include "toolkit.h"

namespace cellwright {

class frmAbout : public Form {
public:
    frmAbout();

    // Top to bottom: Label1 (name), Label2 (owner's notice), Label6 (version), Label7 (a rule),
    // Label3 (empty), Label4 and Label5 (where to report).
    Label Label1 { *this };
    Label Label2 { *this };
    Label Label3 { *this };
    Label Label4 { *this };
    Label Label5 { *this };
    Label Label6 { *this };
    Label Label7 { *this };
};

} // namespace cellwright

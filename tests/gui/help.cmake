# Tests of the help window and the about box.
if(TARGET cellwright_help)
    cellwright_add_test(tst_help_layout SOURCES tst_help_layout.cpp LIBS cellwright_help)
    cellwright_add_gui_test(tst_frmhelp SOURCES tst_frmhelp.cpp LIBS cellwright_help cellwright_gui_harness)
    cellwright_add_gui_test(tst_frmabout SOURCES tst_frmabout.cpp LIBS cellwright_help cellwright_gui_harness)
endif()

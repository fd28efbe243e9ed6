# Tests of the open and save dialogs and of the open dialog's layout.
if(TARGET cellwright_dialogs)
    foreach(test tst_frmopen tst_frmsaveas tst_dialog_layout)
        cellwright_add_gui_test(${test} SOURCES ${test}.cpp dialogs_fixture.h
            LIBS cellwright_dialogs cellwright_flow cellwright_gui_harness)
        # The recording main window of the engine tests.
        target_include_directories(${test} PRIVATE ${PROJECT_SOURCE_DIR}/tests/engine)
    endforeach()
endif()

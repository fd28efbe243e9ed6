# Tests of the program through its windows: the main window, the viewer and the whole road.
if(TARGET cellwright_app)
    add_library(cellwright_app_driver STATIC app_driver.cpp app_driver.h)
    target_link_libraries(cellwright_app_driver PUBLIC cellwright_app cellwright_gui_harness)
    cellwright_add_gui_test(tst_cellwright SOURCES tst_cellwright.cpp LIBS cellwright_app_driver)
    target_compile_definitions(tst_cellwright PRIVATE CELLWRIGHT_PROGRAM="$<TARGET_FILE:cellwright>")
    add_dependencies(tst_cellwright cellwright)
endif()
if(TARGET cellwright_app)
    cellwright_add_gui_test(tst_frmprint_table SOURCES tst_frmprint_table.cpp
        LIBS cellwright_app_driver)
endif()
if(TARGET cellwright_app)
    cellwright_add_gui_test(tst_monkey SOURCES tst_monkey.cpp LIBS cellwright_app_driver)
    set_tests_properties(tst_monkey.offscreen tst_monkey.xvfb PROPERTIES TIMEOUT 900)
endif()
if(TARGET cellwright_app)
    cellwright_add_gui_test(tst_frmfind_tables SOURCES tst_frmfind_tables.cpp
        LIBS cellwright_app_driver)
    target_compile_definitions(tst_frmfind_tables PRIVATE
        CELLWRIGHT_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
endif()

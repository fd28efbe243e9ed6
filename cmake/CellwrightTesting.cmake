# Helpers that make each further test one line.

set(CELLWRIGHT_TEST_TIMEOUT 120 CACHE STRING "Seconds before a hanging test is stopped")

# Environment every test runs with: sanitizer options and a writable scratch HOME.
set(CELLWRIGHT_TEST_ENV
    "ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1:suppressions=${CMAKE_CURRENT_LIST_DIR}/asan.supp"
    "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_LIST_DIR}/lsan.supp:print_suppressions=0"
    "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
    "QT_QPA_PLATFORMTHEME="
    "LC_ALL=C.UTF-8")

# cellwright_add_test(NAME SOURCES... LIBS ...): a Qt Test executable run once by CTest.
function(cellwright_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBS})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT ${CELLWRIGHT_TEST_TIMEOUT}
        ENVIRONMENT "${CELLWRIGHT_TEST_ENV}")
endfunction()

# cellwright_add_gui_test(NAME SOURCES... LIBS ...): a Qt Test executable run twice by CTest,
# on the offscreen platform and on a real X server (Xvfb with a window manager).
function(cellwright_add_gui_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test Qt6::Widgets ${ARG_LIBS})
    add_test(NAME ${name}.offscreen COMMAND ${name})
    set_tests_properties(${name}.offscreen PROPERTIES TIMEOUT ${CELLWRIGHT_TEST_TIMEOUT}
        ENVIRONMENT "${CELLWRIGHT_TEST_ENV};QT_QPA_PLATFORM=offscreen")
    add_test(NAME ${name}.xvfb
        COMMAND ${PROJECT_SOURCE_DIR}/tools/with-xvfb $<TARGET_FILE:${name}>)
    # Under a real X server each window waits for its frame, which a busy machine delays.
    math(EXPR xvfb_timeout "${CELLWRIGHT_TEST_TIMEOUT} * 2")
    set_tests_properties(${name}.xvfb PROPERTIES TIMEOUT ${xvfb_timeout}
        ENVIRONMENT "${CELLWRIGHT_TEST_ENV};QT_QPA_PLATFORM=xcb")
endfunction()

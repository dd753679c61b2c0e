# The column choice dialog and the table print, driven offscreen; the print test writes PDF files
# and reads them back with poppler's tools.
add_executable(print_tests
  ${CMAKE_CURRENT_LIST_DIR}/TdlgSelectTableColsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PrintTableTest.cpp
)
target_link_libraries(print_tests PRIVATE velkora1testsupport velkora1gui Qt6::Test GTest::gtest)
gtest_discover_tests(print_tests PROPERTIES LABELS embedded ENVIRONMENT QT_QPA_PLATFORM=offscreen DISCOVERY_TIMEOUT 60)

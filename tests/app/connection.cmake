# The connection settings and the forms of database name (one of the tests connects to an embedded
# database under the settings read), and the set-up dialog driven offscreen.
velkora1_embedded_test(connection_tests
  ${CMAKE_CURRENT_LIST_DIR}/DatabaseNameTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DatabaseSettingsTest.cpp
)

add_executable(connection_ui_tests ${CMAKE_CURRENT_LIST_DIR}/TdlgDBSetupTest.cpp)
target_link_libraries(connection_ui_tests PRIVATE velkora1testsupport velkora1gui Qt6::Test GTest::gtest)
gtest_discover_tests(connection_ui_tests PROPERTIES
  LABELS embedded
  ENVIRONMENT QT_QPA_PLATFORM=offscreen
  DISCOVERY_TIMEOUT 60)

# The per-user settings, program parameters and generators on an embedded database, and their
# windows and dialogs driven offscreen.
velkora1_embedded_test(settings_tests
  ${CMAKE_CURRENT_LIST_DIR}/TdmUserSettings1Test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProgramParametersTest.cpp
)

add_executable(settings_ui_tests ${CMAKE_CURRENT_LIST_DIR}/SettingsDialogsTest.cpp)
target_link_libraries(settings_ui_tests PRIVATE velkora1testsupport velkora1gui Qt6::Test GTest::gtest)
gtest_discover_tests(settings_ui_tests PROPERTIES
  LABELS embedded
  ENVIRONMENT QT_QPA_PLATFORM=offscreen
  DISCOVERY_TIMEOUT 60)

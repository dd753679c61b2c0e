# The database connection settings, the forms of database name and the set-up dialog.
target_sources(velkora1core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/DatabaseName.cpp ${CMAKE_CURRENT_LIST_DIR}/DatabaseName.h
  ${CMAKE_CURRENT_LIST_DIR}/DatabaseSettings.cpp ${CMAKE_CURRENT_LIST_DIR}/DatabaseSettings.h
)
target_sources(velkora1gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/TdlgDBSetup.cpp ${CMAKE_CURRENT_LIST_DIR}/TdlgDBSetup.h
)

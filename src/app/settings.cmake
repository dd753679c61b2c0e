# Per-user settings, program parameters and generators, with their dialogs.
target_sources(velkora1core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/TdmUserSettings1.cpp ${CMAKE_CURRENT_LIST_DIR}/TdmUserSettings1.h
  ${CMAKE_CURRENT_LIST_DIR}/Generators.cpp ${CMAKE_CURRENT_LIST_DIR}/Generators.h
)
target_sources(velkora1gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/TdlgProgeParameetrid.cpp ${CMAKE_CURRENT_LIST_DIR}/TdlgProgeParameetrid.h
  ${CMAKE_CURRENT_LIST_DIR}/TdlgGenerators.cpp ${CMAKE_CURRENT_LIST_DIR}/TdlgGenerators.h
  ${CMAKE_CURRENT_LIST_DIR}/../ui/FilledDialog.cpp ${CMAKE_CURRENT_LIST_DIR}/../ui/FilledDialog.h
  ${CMAKE_CURRENT_LIST_DIR}/../ui/WindowPlacement.cpp ${CMAKE_CURRENT_LIST_DIR}/../ui/WindowPlacement.h
)
# Pieces of the window framework that the shell's dialogs and the list windows share.
target_sources(velkora1gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/../ui/EnterMovesOn.cpp ${CMAKE_CURRENT_LIST_DIR}/../ui/EnterMovesOn.h
  ${CMAKE_CURRENT_LIST_DIR}/../ui/TfQuickSearch.cpp ${CMAKE_CURRENT_LIST_DIR}/../ui/TfQuickSearch.h
)

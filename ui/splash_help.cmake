# The splash and help windows.
target_sources(zirs_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/help_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/help_window.h
  ${CMAKE_CURRENT_LIST_DIR}/splash_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/splash_window.h
)

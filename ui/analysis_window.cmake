# The analysis window.
target_sources(zirs_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/analysis_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/analysis_window.h
)

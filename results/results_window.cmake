# The results window and the link label it shares with the help window.
target_sources(zirs_results PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/link_label.cpp
  ${CMAKE_CURRENT_LIST_DIR}/link_label.h
  ${CMAKE_CURRENT_LIST_DIR}/results_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/results_window.h
)

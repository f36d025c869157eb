add_zirs_test(tst_results_window
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_results_window.cpp
  LIBS zirs_results)

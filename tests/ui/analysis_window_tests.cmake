add_zirs_test(tst_analysis_window
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_analysis_window.cpp
  LIBS zirs_ui)

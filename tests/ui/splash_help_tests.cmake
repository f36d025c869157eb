add_zirs_test(tst_splash_window
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_splash_window.cpp
  LIBS zirs_ui)
add_zirs_test(tst_help_window
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_help_window.cpp
  LIBS zirs_ui)

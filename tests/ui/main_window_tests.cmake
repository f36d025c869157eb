# The main window: its face, tab order, key filters, list rules and searches.
add_zirs_test(tst_main_window
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/tst_main_window.cpp
    ${CMAKE_CURRENT_LIST_DIR}/catalogue_fixture.cpp
    ${CMAKE_CURRENT_LIST_DIR}/catalogue_fixture.h
  LIBS zirs_ui Qt6::Sql)

# The main window: its face, tab order, key filters, list rules and searches.
add_zirs_test(tst_main_window
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/tst_main_window.cpp
    ${CMAKE_CURRENT_LIST_DIR}/catalogue_fixture.cpp
    ${CMAKE_CURRENT_LIST_DIR}/catalogue_fixture.h
  LIBS zirs_ui Qt6::Sql)

# The start-up: the real program for the one-copy rule and the catalogue test.
add_zirs_test(tst_startup
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_startup.cpp
  LIBS zirs_ui)
add_dependencies(tst_startup zirs)
add_dependencies(tst_main_window catalogue)

# Twenty copies started at the same instant: exactly one runs.
add_zirs_test(tst_instance_race
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_instance_race.cpp
  LIBS Qt6::Core)
add_dependencies(tst_instance_race zirs catalogue)

add_zirs_test(tst_splash_window
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_splash_window.cpp
  LIBS zirs_ui)
add_zirs_test(tst_help_window
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_help_window.cpp
  LIBS zirs_ui)

# Not a test: draws the windows into PNG files for a look against the layout.
add_executable(zirs_window_shots ${CMAKE_CURRENT_LIST_DIR}/window_shots.cpp)
target_link_libraries(zirs_window_shots PRIVATE zirs_ui)

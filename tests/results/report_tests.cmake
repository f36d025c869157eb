# The report's data, template, renderer and PDF (no widgets).
add_zirs_test(tst_report_parameters
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_report_parameters.cpp
  LIBS zirs_report)
add_zirs_test(tst_report_layout
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_report_layout.cpp
  LIBS zirs_report)
add_zirs_test(tst_report_preview
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_report_preview.cpp
  LIBS zirs_results)

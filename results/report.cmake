# The report: parameters, template, renderer and PDF need only QtGui and form
# zirs_report, which the headless tool links without any widget; the preview
# and the print command of the results window live in zirs_results.
add_library(zirs_report STATIC
  ${CMAKE_CURRENT_LIST_DIR}/report_parameters.cpp
  ${CMAKE_CURRENT_LIST_DIR}/report_parameters.h
  ${CMAKE_CURRENT_LIST_DIR}/report_pdf.cpp
  ${CMAKE_CURRENT_LIST_DIR}/report_pdf.h
  ${CMAKE_CURRENT_LIST_DIR}/report_renderer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/report_renderer.h
  ${CMAKE_CURRENT_LIST_DIR}/report_template.cpp
  ${CMAKE_CURRENT_LIST_DIR}/report_template.h
  ${CMAKE_CURRENT_LIST_DIR}/report.qrc
)
target_include_directories(zirs_report PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(zirs_report PUBLIC Qt6::Gui)

target_link_libraries(zirs_results PUBLIC zirs_report)

# The preview, its dialogs and the print command of the results window.
target_sources(zirs_results PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/report_data.cpp
  ${CMAKE_CURRENT_LIST_DIR}/report_data.h
  ${CMAKE_CURRENT_LIST_DIR}/report_dialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/report_dialogs.h
  ${CMAKE_CURRENT_LIST_DIR}/report_preview.cpp
  ${CMAKE_CURRENT_LIST_DIR}/report_preview.h
)

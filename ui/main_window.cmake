# The main window, its controls, the start-up and the program `zirs`.
target_sources(zirs_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/app_icon.cpp
  ${CMAKE_CURRENT_LIST_DIR}/app_icon.h
  ${CMAKE_CURRENT_LIST_DIR}/check_group.cpp
  ${CMAKE_CURRENT_LIST_DIR}/check_group.h
  ${CMAKE_CURRENT_LIST_DIR}/data_module.h
  ${CMAKE_CURRENT_LIST_DIR}/instance_lock.cpp
  ${CMAKE_CURRENT_LIST_DIR}/instance_lock.h
  ${CMAKE_CURRENT_LIST_DIR}/main_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_window.h
  ${CMAKE_CURRENT_LIST_DIR}/main_window_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/masked_edit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/masked_edit.h
  ${CMAKE_CURRENT_LIST_DIR}/message_boxes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/message_boxes.h
  ${CMAKE_CURRENT_LIST_DIR}/message_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/message_dialog.h
  ${CMAKE_CURRENT_LIST_DIR}/shift_keys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/shift_keys.h
)
target_sources(zirs_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/application.cpp
  ${CMAKE_CURRENT_LIST_DIR}/application.h
)

add_executable(zirs ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(zirs PRIVATE zirs_ui)
# The program looks for its catalogue in the working directory; the bundled
# one is built beside it.
add_dependencies(zirs catalogue)
install(TARGETS zirs RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# add_zirs_test(NAME SOURCES... LIBS... [LABEL unit|gui|process|desktop])
# Builds one Qt Test executable and registers it with CTest under its label
# (unit when none is given), so `ctest -L unit` runs the quick tier alone:
#   unit    - plain logic, no window, no child process
#   gui     - widgets on the offscreen platform
#   process - starts a built program (zirs, zirs-search)
#   desktop - needs a real X display with a window manager
# Every test runs on the offscreen platform with a fixed C locale, so a
# developer's desktop or regional settings never change a result. A test
# that starts a program gets its path with $<TARGET_FILE:…>.
# Qt Test's QTEST_MAIN passes no arguments to a variadic macro, which clang's
# -Wpedantic reports in every test.
function(zirs_test_warnings name)
  if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    target_compile_options(${name} PRIVATE -Wno-gnu-zero-variadic-macro-arguments)
  endif()
endfunction()

function(add_zirs_test name)
  cmake_parse_arguments(ARG "" "LABEL" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_LABEL)
    set(ARG_LABEL unit)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBS})
  zirs_test_warnings(${name})
  target_compile_definitions(${name} PRIVATE
    ZIRS_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data"
    ZIRS_CATALOGUE_SQL="${PROJECT_SOURCE_DIR}/data/catalogue.sql"
    ZIRS_BUILT_CATALOGUE="${CMAKE_BINARY_DIR}/bin/database.mdb")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    LABELS ${ARG_LABEL}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;ASAN_OPTIONS=detect_leaks=0;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
    TIMEOUT 300)
endfunction()

# Whole-process timing: zirs-search against the toolkit floor, and the report.
add_executable(toolkit_floor toolkit_floor.cpp)
target_link_libraries(toolkit_floor PRIVATE Qt6::Core Qt6::Sql)
add_executable(alternate_timing alternate_timing.cpp)
add_executable(zirs_startup_bench startup_bench.cpp)
target_link_libraries(zirs_startup_bench PRIVATE zirs_ui)
add_dependencies(zirs_startup_bench catalogue)

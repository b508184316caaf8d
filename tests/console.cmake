# The set-up against a stand-in apt-get: a mirror in the middle of a sync, packages that cannot
# be had.
add_test(NAME install_deps
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/scripts/install_deps_test.sh ${PROJECT_SOURCE_DIR}/scripts)

# The terminal's key table, as data.
add_executable(console_keys_test ui/console/keys_test.cpp)
target_include_directories(console_keys_test PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(console_keys_test PRIVATE ui_console GTest::gtest_main)
add_test(NAME console_keys COMMAND console_keys_test)

# The engine suite on the terminal's engine, its screen read as a terminal emulator shows it, at
# 80 x 24 and larger.
find_package(PkgConfig REQUIRED)
pkg_check_modules(VTERM REQUIRED IMPORTED_TARGET vterm)
add_executable(console_engine_suite ui/console/engine_suite_test.cpp ui/console/console_probe.h)
target_include_directories(console_engine_suite PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(console_engine_suite PRIVATE ui_console ui_forms PkgConfig::VTERM GTest::gtest_main)
foreach(size 80x24 120x40)
  string(REPLACE x ";" columns_rows ${size})
  list(GET columns_rows 0 columns)
  list(GET columns_rows 1 rows)
  add_test(NAME console_engine_suite_${size} COMMAND console_engine_suite)
  set_tests_properties(console_engine_suite_${size} PROPERTIES ENVIRONMENT "COLUMNS=${columns};LINES=${rows};LANG=C")
endforeach()

# The built programs in tmux, as a user on a server meets them: quorvel where there is no desktop
# too, where it is built.
if(qt IN_LIST PRELVANE_ENGINES)
  set(desktop_program $<TARGET_FILE:quorvel>)
endif()
add_test(NAME console_e2e
  COMMAND ${SYSTEM_PYTHON} ${CMAKE_CURRENT_SOURCE_DIR}/console/tmux_e2e.py $<TARGET_FILE:quorvel-console>
          ${desktop_program})
set_tests_properties(console_e2e PROPERTIES TIMEOUT 120)

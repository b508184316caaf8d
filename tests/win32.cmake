# The Windows program under Wine, in a prefix private to the build tree, through the loader of
# the target. Where this machine cannot run the target's programs (some kernels run no 32-bit
# ones), the tests that run them are skipped, with the reason, and only the static checks run.
set(wine_prefix ${CMAKE_BINARY_DIR}/wineprefix)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  # Where there is none, the prefix's set-up says so and the tests that run the program skip.
  find_program(WINE_LOADER wine PATHS /usr/lib/wine NO_DEFAULT_PATH)
  set(wine_target "WINELOADER=${WINE_LOADER};WINEARCH=win32")
else()
  find_program(WINE_LOADER wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH REQUIRED)
  set(wine_target "WINELOADER=${WINE_LOADER};WINEARCH=win64")
endif()
add_executable(pointer_size win32/pointer_size.cpp)
# Wine without Mono and Gecko, and without the menu entries and icons it would otherwise add
# to this machine's own desktop for the programs the tests install.
set(wine_overrides "WINEDLLOVERRIDES=mscoree,mshtml,winemenubuilder.exe=")
# Prefixes whose screens have 96 and 144 dots per inch.
foreach(dpi 96 144)
  set(prefix ${wine_prefix}-${dpi}dpi)
  set(environment_${dpi}
      "${wine_target};WINEPREFIX=${prefix};WINEDEBUG=-all;${wine_overrides}")
  add_test(NAME wine_prefix_${dpi}dpi
    COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine_prefix.sh ${prefix} $<TARGET_FILE:pointer_size> ${dpi})
  set_tests_properties(wine_prefix_${dpi}dpi PROPERTIES
    FIXTURES_SETUP wine_${dpi}dpi TIMEOUT 300 ENVIRONMENT "${environment_${dpi}}")
endforeach()

# The engine suite on the Win32 engine in its own process, with the program's resources, on a
# private X display at each scale.
add_executable(win32_engine_suite win32/engine_suite_test.cpp win32/win32_probe.h)
target_include_directories(win32_engine_suite PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(win32_engine_suite PRIVATE ui_win32 ui_forms quorvel_resources GTest::gtest_main)
foreach(dpi 96 144)
  add_test(NAME win32_engine_suite_${dpi}dpi
    COMMAND ${PROJECT_SOURCE_DIR}/scripts/displays.py xvfb --
            ${CMAKE_CURRENT_SOURCE_DIR}/win32/on_display.sh $<TARGET_FILE:win32_engine_suite>)
  set_tests_properties(win32_engine_suite_${dpi}dpi PROPERTIES
    FIXTURES_REQUIRED wine_${dpi}dpi ENVIRONMENT "${environment_${dpi}}" TIMEOUT 120)
endforeach()

# The program starts, shows its window and ends cleanly: checked where the setup program installed
# it (check_setup.py).
add_executable(start_check win32/start_check.cpp)
target_compile_definitions(start_check PRIVATE UNICODE _UNICODE)
target_link_options(start_check PRIVATE -municode)
set_tests_properties(sizing_tests ui_tests PROPERTIES
  FIXTURES_REQUIRED wine_96dpi ENVIRONMENT "${environment_96}")
set_tests_properties(sizing_tests ui_tests win32_engine_suite_96dpi win32_engine_suite_144dpi
  PROPERTIES SKIP_RETURN_CODE 77)

# The setup program, installed and removed under Wine as a user would, in a prefix of its own
# made anew for each run, so that nothing an earlier run left counts.
set(setup_prefix ${wine_prefix}-setup)
set(environment_setup "${wine_target};WINEPREFIX=${setup_prefix};WINEDEBUG=-all;${wine_overrides}")
add_test(NAME wine_prefix_setup_cleared COMMAND ${CMAKE_COMMAND} -E rm -rf ${setup_prefix})
add_test(NAME wine_prefix_setup
  COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine_prefix.sh ${setup_prefix} $<TARGET_FILE:pointer_size>)
add_test(NAME setup
  COMMAND ${PROJECT_SOURCE_DIR}/scripts/displays.py xvfb --
          ${SYSTEM_PYTHON} ${CMAKE_CURRENT_SOURCE_DIR}/win32/check_setup.py ${CMAKE_BINARY_DIR}
          ${PROJECT_VERSION} $<TARGET_FILE:start_check>)
set_tests_properties(wine_prefix_setup_cleared PROPERTIES FIXTURES_SETUP wine_setup_cleared)
set_tests_properties(wine_prefix_setup PROPERTIES FIXTURES_REQUIRED wine_setup_cleared
  FIXTURES_SETUP wine_setup TIMEOUT 300 ENVIRONMENT "${environment_setup}")
set_tests_properties(setup PROPERTIES FIXTURES_REQUIRED wine_setup TIMEOUT 150
  ENVIRONMENT "${environment_setup}" SKIP_RETURN_CODE 77)

# The executable's resources, imports and flags, read from outside.
add_test(NAME win32_resources
  COMMAND ${SYSTEM_PYTHON} ${CMAKE_CURRENT_SOURCE_DIR}/win32/check_resources.py $<TARGET_FILE:quorvel>
          ${PROJECT_VERSION})

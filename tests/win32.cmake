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
set(wine_environment
    "${wine_target};WINEPREFIX=${wine_prefix};WINEDEBUG=-all;WINEDLLOVERRIDES=mscoree,mshtml=")

add_executable(pointer_size win32/pointer_size.cpp)
add_test(NAME wine_prefix
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/win32/wine_prefix.sh ${wine_prefix} $<TARGET_FILE:pointer_size>)
set_tests_properties(wine_prefix PROPERTIES
  FIXTURES_SETUP wine TIMEOUT 300 ENVIRONMENT "${wine_environment}")

add_executable(win32_driver win32/driver.cpp)
target_include_directories(win32_driver PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_definitions(win32_driver PRIVATE UNICODE _UNICODE)
target_link_options(win32_driver PRIVATE -municode)
target_link_libraries(win32_driver PRIVATE ui)
add_test(NAME win32_e2e
  COMMAND ${PROJECT_SOURCE_DIR}/scripts/displays.py xvfb --
          ${CMAKE_CURRENT_SOURCE_DIR}/win32/run_e2e.sh ${CMAKE_BINARY_DIR}/locales
          $<TARGET_FILE:win32_driver> $<TARGET_FILE:quorvel>)
set_tests_properties(win32_e2e PROPERTIES TIMEOUT 300)
set_tests_properties(sizing_tests ui_tests win32_e2e PROPERTIES
  FIXTURES_REQUIRED wine ENVIRONMENT "${wine_environment}" SKIP_RETURN_CODE 77)

# The executable's resources, imports and flags, read from outside; and its download.
add_test(NAME zip COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/package/check_zip.sh ${CMAKE_BINARY_DIR}
                          quorvel-${PROJECT_VERSION}-win$<IF:$<EQUAL:${CMAKE_SIZEOF_VOID_P},4>,32,64>)
add_test(NAME win32_resources
  COMMAND ${SYSTEM_PYTHON} ${CMAKE_CURRENT_SOURCE_DIR}/win32/check_resources.py $<TARGET_FILE:quorvel>
          ${PROJECT_VERSION})

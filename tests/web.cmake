# The page in Debian's headless Chromium, driven by puppeteer-core, which downloads no browser.
add_executable(scenario_json web/scenario_json.cpp)
target_include_directories(scenario_json PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(scenario_json PRIVATE ui_forms)
set(web_tests ${CMAKE_CURRENT_BINARY_DIR}/web)
foreach(file package.json package-lock.json web_test.mjs)
  configure_file(web/${file} ${web_tests}/${file} COPYONLY)
endforeach()
find_program(NPM npm REQUIRED)
add_test(NAME npm_modules COMMAND ${NPM} ci --no-audit --no-fund WORKING_DIRECTORY ${web_tests})
set_tests_properties(npm_modules PROPERTIES
  FIXTURES_SETUP npm TIMEOUT 300 ENVIRONMENT PUPPETEER_SKIP_DOWNLOAD=1)
add_test(NAME web_e2e
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/web/run_web_test.sh ${CMAKE_BINARY_DIR}
          $<TARGET_FILE:scenario_json> ${web_tests})
set_tests_properties(web_e2e PROPERTIES FIXTURES_REQUIRED npm TIMEOUT 120)

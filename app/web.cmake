# The page: one static folder of HTML, CSS, JavaScript, WebAssembly, the icon and the Song
# face's subset, with its licence.
add_executable(quorvel main_web.cpp)
target_link_libraries(quorvel PRIVATE ui_web ui_forms)
target_link_options(quorvel PRIVATE -Oz
  "SHELL:-s ENVIRONMENT=web -s FILESYSTEM=0 -s DYNAMIC_EXECUTION=0"
  "SHELL:-s INITIAL_MEMORY=4194304 -s ALLOW_MEMORY_GROWTH=1 -s TOTAL_STACK=262144"
  "SHELL:-s INVOKE_RUN=0 --pre-js ${CMAKE_CURRENT_SOURCE_DIR}/web/main_task.js")
set_property(TARGET quorvel APPEND PROPERTY LINK_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/web/main_task.js)
set(site ${CMAKE_CURRENT_BINARY_DIR}/site)
set_target_properties(quorvel PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${site})

# The font holds every character the program can show: those of the windows' sources and of the
# page, found anew whenever a source is added, so that editing a shown string rebuilds it.
find_file(SONG_FACE uming.ttc PATHS /usr/share/fonts/truetype/arphic NO_CMAKE_FIND_ROOT_PATH REQUIRED)
find_file(SONG_FACE_LICENCE copyright PATHS /usr/share/doc/fonts-arphic-uming NO_DEFAULT_PATH
          NO_CMAKE_FIND_ROOT_PATH REQUIRED)
file(GLOB_RECURSE shown_sources CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/ui/*.cpp ${PROJECT_SOURCE_DIR}/ui/*.h ${PROJECT_SOURCE_DIR}/ui/*.js
  ${CMAKE_CURRENT_SOURCE_DIR}/web/index.html)
add_custom_command(OUTPUT ${site}/song.woff2
  COMMAND ${SYSTEM_PYTHON} ${CMAKE_CURRENT_SOURCE_DIR}/web/subset_font.py ${SONG_FACE}
          ${site}/song.woff2 ${shown_sources}
  DEPENDS web/subset_font.py ${shown_sources})
set(engine ${PROJECT_SOURCE_DIR}/ui/web)
configure_file(${engine}/start.js ${site}/start.js COPYONLY)
configure_file(web/manifest.webmanifest ${site}/manifest.webmanifest COPYONLY)
foreach(symbol box-warning box-error)
  configure_file(${PROJECT_SOURCE_DIR}/ui/symbols/${symbol}.svg ${site}/${symbol}.svg COPYONLY)
endforeach()
foreach(size 32 128 256)
  configure_file(icons/${QUORVEL_APP_ID}-${size}.png ${site}/icon-${size}.png COPYONLY)
endforeach()
configure_file(${SONG_FACE_LICENCE} ${site}/song-LICENSE.txt COPYONLY)
configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${site}/LICENSE.txt COPYONLY)

# The page with its first window drawn in, as the program draws it in Chromium.
add_custom_command(OUTPUT ${site}/index.html
  COMMAND ${SYSTEM_PYTHON} ${CMAKE_CURRENT_SOURCE_DIR}/web/prerender.py
          ${CMAKE_CURRENT_SOURCE_DIR}/web ${engine} ${site}
  DEPENDS web/prerender.py ${PROJECT_SOURCE_DIR}/scripts/serve_site.py web/index.html
          ${engine}/style.css ${engine}/start.js quorvel ${site}/song.woff2)

# Offline and small: the service worker over this build's files, and their compressed copies.
add_custom_command(OUTPUT ${site}/sw.js
  COMMAND ${SYSTEM_PYTHON} ${CMAKE_CURRENT_SOURCE_DIR}/web/make_offline.py ${site}
          ${CMAKE_CURRENT_SOURCE_DIR}/web/sw.js.in
  DEPENDS web/make_offline.py web/sw.js.in quorvel ${site}/song.woff2 ${site}/index.html
          ${engine}/start.js web/manifest.webmanifest)
add_custom_target(site ALL DEPENDS ${site}/sw.js)

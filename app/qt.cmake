# The Linux program: the engine over Qt, its icons built in, and what the package installs.
# The icon is an object library, so that its images stay linked in where nothing names them.
add_library(quorvel_icon OBJECT qt_icon.cpp icons.qrc)
set_target_properties(quorvel_icon PROPERTIES AUTORCC ON)
target_include_directories(quorvel_icon PUBLIC ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_BINARY_DIR}/include)
target_link_libraries(quorvel_icon PUBLIC Qt6::Gui)

# Both programs show the calculator in a terminal: quorvel where there is no desktop, and
# quorvel-console, which needs neither Qt nor fonts, for servers and rescue systems.
add_library(quorvel_console_start OBJECT console.cpp)
target_link_libraries(quorvel_console_start PUBLIC ui_console ui_forms)

add_executable(quorvel main_qt.cpp)
target_include_directories(quorvel PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/include)
target_link_libraries(quorvel PRIVATE ui_qt quorvel_console_start quorvel_icon)

add_executable(quorvel-console main_console.cpp)
target_link_libraries(quorvel-console PRIVATE quorvel_console_start)

# Two packages: quorvel, the desktop program, and quorvel-console, the terminal's alone.
set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME quorvel)
install(TARGETS quorvel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS quorvel-console RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT console)
install(FILES linux/${QUORVEL_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(linux/${QUORVEL_APP_ID}.metainfo.xml.in ${QUORVEL_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${QUORVEL_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# What Debian asks of a package: its copyright, its changelog and a manual page, compressed
# without a timestamp; each package its own.
configure_file(linux/debian/changelog.in changelog @ONLY)
foreach(file changelog ${CMAKE_CURRENT_SOURCE_DIR}/linux/quorvel.1
             ${CMAKE_CURRENT_SOURCE_DIR}/linux/quorvel-console.1)
  get_filename_component(name ${file} NAME)
  get_filename_component(path ${file} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_BINARY_DIR})
  add_custom_command(OUTPUT ${name}.gz COMMAND gzip -9n -c ${path} > ${name}.gz DEPENDS ${path})
  list(APPEND compressed ${CMAKE_CURRENT_BINARY_DIR}/${name}.gz)
endforeach()
add_custom_target(package_documents ALL DEPENDS ${compressed})
foreach(package quorvel quorvel-console)
  string(REPLACE quorvel-console console component ${package})
  install(FILES linux/debian/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT ${component})
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${package}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
    COMPONENT ${component})
endforeach()
foreach(size 16 24 32 48 64 128 256)
  install(FILES icons/${QUORVEL_APP_ID}-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
    RENAME ${QUORVEL_APP_ID}.png)
endforeach()
install(FILES icons/${QUORVEL_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

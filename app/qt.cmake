# The Linux program: the engine over Qt, its icons built in, and what the package installs.
# The icon is an object library, so that its images stay linked in where nothing names them.
add_library(quorvel_icon OBJECT qt_icon.cpp icons.qrc)
set_target_properties(quorvel_icon PROPERTIES AUTORCC ON)
target_include_directories(quorvel_icon PUBLIC ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_BINARY_DIR}/include)
target_link_libraries(quorvel_icon PUBLIC Qt6::Gui)

# Whether a display answers, asked before Qt is: of an X server, through its own library.
add_executable(quorvel main_qt.cpp desktop.cpp)
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)
target_include_directories(quorvel PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/include)
pkg_check_modules(XCB REQUIRED IMPORTED_TARGET xcb)
target_link_libraries(quorvel PRIVATE ui_qt quorvel_console_start quorvel_icon PkgConfig::XCB Threads::Threads)

# The desktop program's package; the terminal's program has one of its own (console.cmake).
set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME quorvel)
install(TARGETS quorvel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES linux/${QUORVEL_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(linux/${QUORVEL_APP_ID}.metainfo.xml.in ${QUORVEL_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${QUORVEL_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install_package_documents(quorvel quorvel)
foreach(size 16 24 32 48 64 128 256)
  install(FILES icons/${QUORVEL_APP_ID}-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
    RENAME ${QUORVEL_APP_ID}.png)
endforeach()
install(FILES icons/${QUORVEL_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

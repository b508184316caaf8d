# The Linux program: the engine over Qt, its icons built in, and what the package installs.
# The icon is an object library, so that its images stay linked in where nothing names them.
add_library(quorvel_icon OBJECT qt_icon.cpp icons.qrc)
set_target_properties(quorvel_icon PROPERTIES AUTORCC ON)
target_include_directories(quorvel_icon PUBLIC ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_BINARY_DIR}/include)
target_link_libraries(quorvel_icon PUBLIC Qt6::Gui)

add_executable(quorvel main_qt.cpp)
target_link_libraries(quorvel PRIVATE ui_qt ui_forms quorvel_icon)

install(TARGETS quorvel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES linux/${QUORVEL_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(linux/${QUORVEL_APP_ID}.metainfo.xml.in ${QUORVEL_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${QUORVEL_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# What Debian asks of a package: its copyright, its changelog and a manual page, compressed
# without a timestamp.
configure_file(linux/debian/changelog.in changelog @ONLY)
foreach(file changelog ${CMAKE_CURRENT_SOURCE_DIR}/linux/quorvel.1)
  get_filename_component(name ${file} NAME)
  get_filename_component(path ${file} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_BINARY_DIR})
  add_custom_command(OUTPUT ${name}.gz COMMAND gzip -9n -c ${path} > ${name}.gz DEPENDS ${path})
  list(APPEND compressed ${CMAKE_CURRENT_BINARY_DIR}/${name}.gz)
endforeach()
add_custom_target(package_documents ALL DEPENDS ${compressed})
install(FILES linux/debian/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quorvel)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/quorvel.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
foreach(size 16 24 32 48 64 128 256)
  install(FILES icons/${QUORVEL_APP_ID}-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
    RENAME ${QUORVEL_APP_ID}.png)
endforeach()
install(FILES icons/${QUORVEL_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The terminal's program, for servers and rescue systems: it needs neither Qt nor fonts. Its
# start-up is quorvel's too, where there is no desktop.
add_library(quorvel_console_start OBJECT console.cpp)
target_link_libraries(quorvel_console_start PUBLIC ui_console ui_forms)

add_executable(quorvel-console main_console.cpp)
target_link_libraries(quorvel-console PRIVATE quorvel_console_start)
install(TARGETS quorvel-console RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT console)

# What Debian asks of a package: its copyright, its changelog and a manual page, compressed
# without a timestamp; each package its own.
configure_file(linux/debian/changelog.in changelog @ONLY)
function(install_package_documents package component)
  foreach(file ${CMAKE_CURRENT_BINARY_DIR}/changelog ${CMAKE_CURRENT_SOURCE_DIR}/linux/${package}.1)
    get_filename_component(name ${file} NAME)
    set(packed ${CMAKE_CURRENT_BINARY_DIR}/${package}-documents/${name}.gz)
    add_custom_command(OUTPUT ${packed} COMMAND gzip -9n -c ${file} > ${packed} DEPENDS ${file})
    list(APPEND packed_files ${packed})
  endforeach()
  file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/${package}-documents)
  add_custom_target(${package}_documents ALL DEPENDS ${packed_files})
  install(FILES linux/debian/copyright ${CMAKE_CURRENT_BINARY_DIR}/${package}-documents/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT ${component})
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${package}-documents/${package}.1.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT ${component})
endfunction()
install_package_documents(quorvel-console console)

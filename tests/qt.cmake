add_subdirectory(ui/qt)

# The built program, driven from outside through the accessibility bus: on a private X display,
# and natively on headless Wayland compositors, each where it starts here.
foreach(display x11 weston mutter kwin)
  add_test(NAME atspi_e2e_${display}
    COMMAND dbus-run-session -- ${SYSTEM_PYTHON} ${CMAKE_CURRENT_SOURCE_DIR}/e2e/atspi_e2e.py
            $<TARGET_FILE:quorvel> $<$<NOT:$<STREQUAL:${display},x11>>:${display}>)
  set_tests_properties(atspi_e2e_${display} PROPERTIES TIMEOUT 120 SKIP_RETURN_CODE 77
    ENVIRONMENT "XDG_RUNTIME_DIR=${CMAKE_CURRENT_BINARY_DIR}/ui/qt/xdg-runtime")
endforeach()

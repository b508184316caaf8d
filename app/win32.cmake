# The Windows program: the engine over Win32, and the resources of its executable.
set(icon_image_id 30001)
set(icon_image ${CMAKE_CURRENT_BINARY_DIR}/icon_image.bin)
set(icon_group ${CMAKE_CURRENT_BINARY_DIR}/icon_group.bin)
add_custom_command(OUTPUT ${icon_image} ${icon_group}
  COMMAND ${SYSTEM_PYTHON} ${CMAKE_CURRENT_SOURCE_DIR}/win32/split_icon.py
          ${CMAKE_CURRENT_SOURCE_DIR}/icons/quorvel.ico ${icon_image_id} ${icon_image} ${icon_group}
  DEPENDS win32/split_icon.py icons/quorvel.ico)
# The manifest names the processor, in the program's identity and in the common controls it
# binds: with the wrong one Windows silently falls back to the unthemed controls.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(manifest_architecture X86)
else()
  set(manifest_architecture amd64)
endif()
configure_file(win32/quorvel.manifest.in ${CMAKE_CURRENT_BINARY_DIR}/quorvel.manifest @ONLY)
set_source_files_properties(win32/quorvel.rc PROPERTIES
  OBJECT_DEPENDS "${icon_image};${icon_group};${CMAKE_CURRENT_BINARY_DIR}/quorvel.manifest")

# The resources are an object library: the engine's tests take the same icon and manifest.
add_library(quorvel_resources OBJECT win32/quorvel.rc win32/window_icons.cpp)
target_link_libraries(quorvel_resources PRIVATE ui_win32)
target_include_directories(quorvel_resources PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/include ${PROJECT_SOURCE_DIR})
target_compile_definitions(quorvel_resources PRIVATE QUORVEL_ICON_IMAGE=${icon_image_id})
# windres finds the manifest and the icon resources beside the generated files.
target_compile_options(quorvel_resources PRIVATE -I${CMAKE_CURRENT_BINARY_DIR})

add_executable(quorvel WIN32 main_win32.cpp)
target_link_options(quorvel PRIVATE -municode)
# The PE header's image version is the program's own. CMake would take it from the target's VERSION,
# which would also rename the file.
string(REPLACE "<TARGET_VERSION_MAJOR>,--minor-image-version,<TARGET_VERSION_MINOR>"
       "${PROJECT_VERSION_MAJOR},--minor-image-version,${PROJECT_VERSION_MINOR}"
       CMAKE_CXX_LINK_EXECUTABLE "${CMAKE_CXX_LINK_EXECUTABLE}")
target_link_libraries(quorvel PRIVATE ui_win32 ui_forms quorvel_resources)
install(TARGETS quorvel RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)

# The native Windows game: Win32, Direct3D 11 and XAudio2, with the
# header-only libraries compiled in. Only the game itself is built here; the
# asset generator, the tests and the tools are built by the Linux build.

# The Debian packages' headers the game needs, and nothing else of the host's
# include tree (its C library headers would shadow mingw's).
set(HALVANE_HOST_HEADERS ${CMAKE_BINARY_DIR}/host-include)
file(MAKE_DIRECTORY ${HALVANE_HOST_HEADERS})
foreach(header tiny_gltf.h nlohmann stb)
  if(NOT EXISTS /usr/include/${header})
    message(FATAL_ERROR "/usr/include/${header} is missing: run tools/install-deps.sh")
  endif()
  file(CREATE_LINK /usr/include/${header} ${HALVANE_HOST_HEADERS}/${header} SYMBOLIC)
endforeach()

file(GLOB_RECURSE HALVANE_WINDOWS_SOURCES CONFIGURE_DEPENDS
  app/*.cpp framework/*.cpp game/*.cpp scene/*.cpp platform/*.cpp)
list(FILTER HALVANE_WINDOWS_SOURCES EXCLUDE REGEX "${HALVANE_LINUX_ONLY_SOURCES}")
list(REMOVE_ITEM HALVANE_WINDOWS_SOURCES ${CMAKE_SOURCE_DIR}/app/main.cpp)

# The exe's icon (Explorer, the task bar, the window) is the one the asset
# generator of the Linux build made; `make windows` and `make test` build that
# first.
set(HALVANE_HOST_DATA ${CMAKE_SOURCE_DIR}/build/Data CACHE PATH "The Linux build's generated Data/ folder")
set(HALVANE_HOST_ICON ${HALVANE_HOST_DATA}/Icon/halvane.ico)
if(NOT EXISTS ${HALVANE_HOST_ICON})
  message(WARNING "${HALVANE_HOST_ICON} is missing: build the Linux build first (make windows does)")
endif()
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/halvane.ico
  COMMAND ${CMAKE_COMMAND} -E copy ${HALVANE_HOST_ICON} ${CMAKE_BINARY_DIR}/halvane.ico
  DEPENDS ${HALVANE_HOST_ICON}
  COMMENT "Taking the icon from ${HALVANE_HOST_DATA}"
  VERBATIM)
enable_language(RC)
set(HALVANE_RESOURCES ${CMAKE_SOURCE_DIR}/platform/win32/Halvane.rc)
set_source_files_properties(${HALVANE_RESOURCES} PROPERTIES OBJECT_DEPENDS ${CMAKE_BINARY_DIR}/halvane.ico)

add_executable(halvane WIN32 ${HALVANE_WINDOWS_SOURCES} ${HALVANE_RESOURCES})
# The build folder too: the resource compiler finds halvane.ico there.
target_include_directories(halvane PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR})
target_include_directories(halvane SYSTEM PRIVATE ${HALVANE_HOST_HEADERS} ${HALVANE_HOST_HEADERS}/stb)
# Windows 10 and later: XAudio2 2.9 is part of the system there.
target_compile_definitions(halvane PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
  _WIN32_WINNT=0x0A00 WINVER=0x0A00)
target_link_options(halvane PRIVATE -municode -static -static-libgcc -static-libstdc++)
target_link_libraries(halvane PRIVATE d3d11 dxgi d3dcompiler winmm ole32 uuid shell32)

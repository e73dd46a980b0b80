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

add_executable(halvane WIN32 ${HALVANE_WINDOWS_SOURCES})
target_include_directories(halvane PRIVATE ${CMAKE_SOURCE_DIR})
target_include_directories(halvane SYSTEM PRIVATE ${HALVANE_HOST_HEADERS} ${HALVANE_HOST_HEADERS}/stb)
# Windows 10 and later: XAudio2 2.9 is part of the system there.
target_compile_definitions(halvane PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
  _WIN32_WINNT=0x0A00 WINVER=0x0A00)
target_link_options(halvane PRIVATE -municode -static -static-libgcc -static-libstdc++)
target_link_libraries(halvane PRIVATE d3d11 dxgi d3dcompiler winmm ole32 uuid shell32)

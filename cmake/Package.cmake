# The Debian package: `make package` (the `package` target) writes
# build/halvane_<version>_<arch>.deb with the game laid out as Debian lays out
# games. Only the game goes in: not halvane-dev, the tests or the benchmarks.
#
#   /usr/games/halvane                       the launcher (tools/package/halvane.sh)
#   /usr/lib/games/halvane/halvane           the game
#   /usr/share/games/halvane/Data/           the generated assets
#   /usr/share/applications/halvane.desktop  the menu entry
#   /usr/share/icons/hicolor/NxN/apps/halvane.png   N = 48, 128, 256
#   /usr/share/doc/halvane/, /usr/share/man/man6/   copyright, changelog, manual
#
# The launcher finds the game and Data/ from its own place, so the same tree
# works installed, under another prefix or unpacked with dpkg-deb -x.

set(HALVANE_PACKAGE_SOURCE ${CMAKE_SOURCE_DIR}/tools/package)
set(HALVANE_PACKAGE_BUILD ${CMAKE_BINARY_DIR}/package)

# Whatever the umask of the machine that builds it.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# Debian keeps changelogs and manuals gzipped at the highest level, without a
# time stamp, so the same sources give the same bytes.
find_program(HALVANE_GZIP gzip REQUIRED)
set(HALVANE_PACKAGE_DOCS)
foreach(doc changelog halvane.6)
  set(gz ${HALVANE_PACKAGE_BUILD}/${doc}.gz)
  add_custom_command(
    OUTPUT ${gz}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${HALVANE_PACKAGE_BUILD}
    COMMAND sh -c "\"$0\" -9n < \"$1\" > \"$2\"" ${HALVANE_GZIP} ${HALVANE_PACKAGE_SOURCE}/${doc} ${gz}
    DEPENDS ${HALVANE_PACKAGE_SOURCE}/${doc}
    VERBATIM)
  list(APPEND HALVANE_PACKAGE_DOCS ${gz})
endforeach()
add_custom_target(package-docs ALL DEPENDS ${HALVANE_PACKAGE_DOCS})

install(TARGETS halvane RUNTIME DESTINATION lib/games/halvane)
install(PROGRAMS ${HALVANE_PACKAGE_SOURCE}/halvane.sh DESTINATION games RENAME halvane)
install(DIRECTORY ${CMAKE_BINARY_DIR}/Data DESTINATION share/games/halvane PATTERN .generated EXCLUDE)
install(FILES ${HALVANE_PACKAGE_SOURCE}/halvane.desktop DESTINATION share/applications)
foreach(size 48 128 256)
  install(FILES ${CMAKE_BINARY_DIR}/Data/Icon/halvane-${size}.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME halvane.png)
endforeach()
install(FILES ${HALVANE_PACKAGE_SOURCE}/copyright ${HALVANE_PACKAGE_BUILD}/changelog.gz
        DESTINATION share/doc/halvane)
install(FILES ${HALVANE_PACKAGE_BUILD}/halvane.6.gz DESTINATION share/man/man6)

execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE HALVANE_DEB_ARCH
                OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE arch_result)
if(NOT arch_result EQUAL 0)
  set(HALVANE_DEB_ARCH amd64)
endif()
# Where `make package` leaves the package; the package test reads it there.
set(HALVANE_PACKAGE_FILE ${CMAKE_BINARY_DIR}/halvane_${PROJECT_VERSION}_${HALVANE_DEB_ARCH}.deb)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME halvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Halvane maintainers <maintainers@users.noreply.c-seed-664b6682.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "third-person shooter against three waves of enemies")
# The lines stay short: the package tools show them as they stand.
set(CPACK_PACKAGE_DESCRIPTION "\
Halvane is a single-player third-person shooter seen over the right shoulder
of a lone soldier. Crossing the lines of one long stage releases three waves
of enemies: blue ones that wander and dash, yellow ones that stand and shoot,
and red ones that snipe from behind shields that only a charged shot breaks.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${HALVANE_DEB_ARCH})
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps works the dependencies out from the libraries the game links.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_SOURCE_GENERATOR "")
include(CPack)

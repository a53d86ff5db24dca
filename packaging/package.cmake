# The Debian package, made by CPack from the install rules (`cpack -G DEB` in the build
# tree): the same files as `cmake --install --prefix /usr`, its dependencies found by
# dpkg-shlibdeps from the built executable.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tessaroid)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT
    "Tessaroid maintainers <maintainers@users.noreply.c-seed-10942c51.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "falling-block puzzle game")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Eight kinds of piece, the seven four-cell pieces and a single cell, fall into a
well ten cells wide; full rows clear, score and level rise, and the game ends
when new pieces keep coming to rest where they appear. Its score then goes
into a ten-place ranking. A title menu, a settings screen and the ranking
stand around the game, with its own art, sound effects and looping music.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)

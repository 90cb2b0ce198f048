# A Debian package of the three programs and their desktop files: cpack -G DEB in the build folder.
install(FILES ${PROJECT_SOURCE_DIR}/cmake/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The changelog, compressed as Debian keeps it.
set(changelog ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
add_custom_command(
  OUTPUT ${changelog}
  COMMAND sh -c "gzip -9nc < '${PROJECT_SOURCE_DIR}/CHANGELOG.md' > '${changelog}'"
  DEPENDS ${PROJECT_SOURCE_DIR}/CHANGELOG.md
  VERBATIM)
add_custom_target(changelog ALL DEPENDS ${changelog})
install(FILES ${changelog} DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME quorvel)
set(CPACK_PACKAGE_VENDOR "The Quorvel authors")
set(CPACK_PACKAGE_CONTACT "The Quorvel authors <authors@quorvel.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION "Quorvel forecasts the next result of a periodic three-digit draw \
game\nfrom the three latest periods, in a small desktop window (quorvel) and on the\ncommand \
line (quorvel-predict). quorvel-backtest replays the forecast over the\nreal record of the game \
and tests it against chance.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${QUORVEL_HOMEPAGE_URL}")
# Library dependencies are read off the binaries; the translations and the font are data files.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)

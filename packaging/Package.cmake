# The .deb (cpack -G DEB) and the files Debian policy asks of it.
set(OVANTIS_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/ovantis)

# Machine-readable copyright, its licence text taken from LICENSE so the two
# cannot drift apart.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE license)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)
string(REGEX REPLACE "^MIT License\n\nCopyright[^\n]*\n\n" "" license "${license}")
string(REGEX REPLACE "\n+$" "" license "${license}")
string(REPLACE "\n\n" "\n.\n" license "${license}")
string(REPLACE "\n" "\n " license "${license}")
file(WRITE ${PROJECT_BINARY_DIR}/copyright
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: Ovantis
Upstream-Contact: Ovantis developers <dev@ovantis.invalid>

Files: *
Copyright: 2026 Ovantis developers
License: Expat
 ${license}
")
install(FILES ${PROJECT_BINARY_DIR}/copyright DESTINATION ${OVANTIS_DOCDIR})

# gzip -n leaves out the name and time, so the package is reproducible.
find_program(GZIP_EXECUTABLE gzip REQUIRED)
add_custom_command(
  OUTPUT changelog.Debian.gz
  COMMAND ${GZIP_EXECUTABLE} -9n -c ${PROJECT_SOURCE_DIR}/packaging/changelog > changelog.Debian.gz
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog)
add_custom_target(debian_changelog ALL DEPENDS changelog.Debian.gz)
install(FILES ${PROJECT_BINARY_DIR}/changelog.Debian.gz DESTINATION ${OVANTIS_DOCDIR})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME ovantis)

set(CPACK_PACKAGE_NAME "ovantis")
set(CPACK_PACKAGE_VENDOR "Ovantis")
set(CPACK_PACKAGE_CONTACT "Ovantis developers <dev@ovantis.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "random test data by hand: strings, numbers, timed events and patterns")
# CPack puts the summary above this as the synopsis line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Ovantis makes random test data by hand: passwords, user names and
domain names from chosen character classes and lengths, with a fixed
head and tail; integers and decimals within a range; and a series of
events at random delays, each logging the local date and time and
optionally opening a program or document.
.
The window draws from the classic generator seeded by the current
second, or, once chosen in its context menu, from the operating
system's secure source; it is in Simplified Chinese under a Chinese,
C or POSIX locale and in English under any other. ovantis-cli, the
same generators without a display for scripts, pipes and bulk data,
draws from the secure source unless given a seed and is in Chinese
under a Chinese locale and in English under any other. Their manual
pages and bash, zsh and fish completion come with them.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# A Debian revision: the package is not native, so its changelog is changelog.Debian.gz.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, fonts-wqy-microhei | fonts-noto-cjk")
set(CPACK_STRIP_FILES ON)
set(CPACK_OBJCOPY ${CMAKE_OBJCOPY})
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/packaging/DropComments.cmake)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)

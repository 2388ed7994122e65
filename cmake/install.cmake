# Installation under the prefix's standard folders, and the Debian package.
#
#   bin/dayloom                              the program
#   share/dayloom/...                        its data, found from the program at ../share/dayloom
#   share/applications/dayloom.desktop       desktop entry (opens .DLF documents)
#   share/mime/packages/dayloom.xml          the document type application/x-dayloom-calendar
#   share/icons/hicolor/NxN/apps/dayloom.png application icon
#   share/man/man1/dayloom.1                 manual page
#
# Nothing of the build or source tree is compiled into the program: it finds
# its data relative to its own folder, so `cmake --install --prefix ANYWHERE`
# works.

# The program is installed with its target (src/cli).

dayloom_program_data_entries(data_entries)
foreach(entry ${data_entries})
  if(IS_DIRECTORY ${entry})
    install(DIRECTORY ${entry} DESTINATION ${CMAKE_INSTALL_DATADIR}/dayloom
            PATTERN "README.md" EXCLUDE)
  else()
    install(FILES ${entry} DESTINATION ${CMAKE_INSTALL_DATADIR}/dayloom)
  endif()
endforeach()

set(desktop ${PROJECT_SOURCE_DIR}/data/desktop)
install(FILES ${desktop}/dayloom.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${desktop}/dayloom-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME dayloom.xml)
install(DIRECTORY ${desktop}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${desktop}/dayloom.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# cpack -G DEB: a Debian package for /usr whose library dependencies are
# found by dpkg-shlibdeps from what the installed program links.
set(CPACK_PACKAGE_NAME dayloom)
set(CPACK_PACKAGE_VENDOR "Dayloom")
set(CPACK_PACKAGE_CONTACT "Dayloom developers <dev@dayloom.invalid>")
# The version the program shows (About box, --version).
set(CPACK_PACKAGE_VERSION "3.2q")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calendar page designer")
set(CPACK_PACKAGE_DESCRIPTION
    "Dayloom designs and prints calendar pages: a month grid with rich text in\n"
    "every day cell, mini calendars, week and day planners, labels, effect text,\n"
    "clip art and floating calendars anywhere on the page, recurring dates and\n"
    "holidays, printing at true size and export as pictures.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What dpkg-shlibdeps cannot see: the metric-compatible fonts the documents
# name ("Arial", "Times New Roman"), and the zone database that iCalendar
# times are converted with (libical3 itself comes through shlibdeps).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, tzdata")
# fonts-wine brings the symbol fonts the special-effects text offers.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils, hicolor-icon-theme, fonts-wine")
# The clip-art browser lists these collections as places when they are there.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "openclipart-svg, openclipart-png")
include(CPack)

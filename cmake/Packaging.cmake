# `cpack -G DEB` in a build folder makes lyricast-convert_<version>-<release>_<arch>.deb
# from the install tree (scripts/package does it from a release build).

set(CPACK_PACKAGE_NAME lyricast-convert)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Lyricast Team")
set(CPACK_PACKAGE_CONTACT "Lyricast Team <team@lyricast.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "convert karaoke files (.KAR) into MIDI files with lyrics")
# The long description; dpkg shows it indented, so no line is longer than 75 characters.
set(CPACK_PACKAGE_DESCRIPTION
    "Karaoke files keep the words of a song in text events, which many players
and keyboards do not show as lyrics. Lyricast Convert rewrites every text
event as a lyric event and saves the song as a standard MIDI file (.MID)
with a single track.
.
The package holds the window, lyricast-convert, which lists the karaoke
files of a folder and converts the ones you select, and kar2mid, a
command-line converter on the same engine for scripts and big collections.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Lyricast Team <team@lyricast.example>")
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://lyricast.example/")
# Depends comes from the libraries the binaries link (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Help → Help hands the page to xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")

include(CPack)

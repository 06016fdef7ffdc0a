# `cpack -G DEB` in the build folder makes a Debian package of the installed program; build
# it as Release (see the README), so that it is optimised and hardened.
set(CPACK_PACKAGE_NAME veskar)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Veskar developers")
set(CPACK_PACKAGE_CONTACT "The Veskar developers <veskar@users.noreply.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Decode VOKA-I beacon telemetry frames copied by ear")
# One string, lines under 80 characters: a list here would show its ";" in the package.
set(CPACK_PACKAGE_DESCRIPTION
    "Veskar is the ground-station operator's tool for the Morse-code beacon of the\n\
VOKA-I satellite: it turns a copied frame into a time-stamped analysis that can\n\
be saved. veskar-decode decodes logged frames in batch, to the same analysis\n\
or to CSV.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The first packaging of this version; res/debian/changelog.in gives the same revision.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_STRIP_FILES ON)
# The libraries come from dpkg-shlibdeps, but for libcurl, which veskar-decode loads when it
# first sends; the font is what the dialog's layout is made for.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic${VESKAR_CURL_DEPENDS}")
include(CPack)

# The Debian package: `cpack -G DEB` in a build folder (make package).

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME killglimbot)
set(CPACK_PACKAGE_VENDOR "The Kill Glimbot port developers")
set(CPACK_PACKAGE_CONTACT "Kill Glimbot port developers <killglimbot@users.noreply.github.com>")
set(CPACK_PACKAGE_HOMEPAGE_URL ${KG_HOMEPAGE})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arcade game: shoot the glimbots that pop out of the ground")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# fontconfig finds these when Verdana and Arial are not installed.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# CPack puts the summary first and indents the rest; an empty line becomes a paragraph break.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "A port of a small 1999 arcade shooting game. Glimbots pop out of a randomly
generated ground line, rise, sink and vanish into the earth again; aim the
crosshair with the mouse and shoot them. Blood soaks into the earth as
permanent stains, streaks earn bonuses, and the ten best runs live in the
Killer List.

Includes qvxtool and pcktool to inspect and change the game's pictures and
packs.")
include(CPack)

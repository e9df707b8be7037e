# The Debian packages: `cpack -G DEB` in a build folder (make package). The game and its tools
# are killglimbot; the world list's server, where it is built, killglimbot-server.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME killglimbot)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL game)
set(CPACK_PACKAGE_VENDOR "The Kill Glimbot port developers")
set(CPACK_PACKAGE_CONTACT "Kill Glimbot port developers <killglimbot@users.noreply.github.com>")
set(CPACK_PACKAGE_HOMEPAGE_URL ${KG_HOMEPAGE})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_GAME_PACKAGE_NAME killglimbot)
set(CPACK_DEBIAN_GAME_PACKAGE_SECTION games)
# fontconfig finds these when Verdana and Arial are not installed.
set(CPACK_DEBIAN_GAME_PACKAGE_DEPENDS "fonts-dejavu-core, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Each package's summary, then its description; CPack indents the rest, and an empty line
# becomes a paragraph break. (A package-wide summary would be put before every package's own.)
set(CPACK_DEBIAN_GAME_DESCRIPTION
    "arcade game: shoot the glimbots that pop out of the ground
A port of a small 1999 arcade shooting game. Glimbots pop out of a randomly
generated ground line, rise, sink and vanish into the earth again; aim the
crosshair with the mouse and shoot them. Blood soaks into the earth as
permanent stains, streaks earn bonuses, and the ten best runs live in the
Killer List.

Includes qvxtool and pcktool to inspect and change the game's pictures and
packs.")
if(KG_BUILD_SERVER)
  include(${CMAKE_CURRENT_LIST_DIR}/server/ServerPackage.cmake)
endif()
include(CPack)

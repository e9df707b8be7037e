# Where an install puts things: a game's executable in games/ and its data in share/games/, as
# Debian lays out games. The game finds its data relative to its own real path, so the whole
# tree can move to another prefix.

include(GNUInstallDirs)

set(KG_INSTALL_GAMESDIR games CACHE STRING "Folder of the game's executable, under the prefix")
set(KG_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/games/killglimbot
    CACHE STRING "Folder of the game's data, under the prefix")
set(KG_APP_ID io.github.killglimbot.KillGlimbot)

file(RELATIVE_PATH KG_INSTALLED_DATA /prefix/${KG_INSTALL_GAMESDIR} /prefix/${KG_INSTALL_DATADIR})

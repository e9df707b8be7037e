# Where an install puts things. The executables go where the prefix's programs are looked for,
# chosen when installing: games/ under /usr, as Debian lays out games (/usr/games is on every
# user's PATH), bin/ under any other prefix (~/.local/bin, /usr/local/bin, /opt/killglimbot/bin).
# The data goes to share/games/, beside either; the game finds it relative to its own real path,
# so the whole tree can move to another prefix.

include(GNUInstallDirs)

# The game and its tools are one package; the world list's server, where it is built, another.
set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME game)

install(CODE [[
  if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
    set(KG_EXECUTABLE_DIR games)
  else()
    set(KG_EXECUTABLE_DIR bin)
  endif()
]])
# Evaluated when installing, after the choice above.
set(KG_INSTALL_GAMESDIR "\${KG_EXECUTABLE_DIR}")
set(KG_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/games/killglimbot
    CACHE STRING "Folder of the game's data, under the prefix")
set(KG_APP_ID io.github.killglimbot.KillGlimbot)

# games/ and bin/ are siblings: the data is at the same place from either.
file(RELATIVE_PATH KG_INSTALLED_DATA /prefix/bin /prefix/${KG_INSTALL_DATADIR})

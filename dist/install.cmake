# Installation: the game in the games folder, the music library in a private folder found
# through the run path, the data beside other programs' data, and the desktop files.
include(GNUInstallDirs)

set(ZV_INSTALL_GAMESDIR "games" CACHE STRING "Folder (under the prefix) for the game program")
set(ZV_INSTALL_LIBDIR "${CMAKE_INSTALL_LIBDIR}/zelvorin" CACHE STRING "Private library folder")
set(ZV_INSTALL_DATADIR "${CMAKE_INSTALL_DATADIR}/zelvorin" CACHE STRING "Game data folder")
set(ZV_APP_ID org.zelvorin.Zelvorin)

# Run paths and the data folder are relative to the program, so an installed tree can be moved
# (or staged with DESTDIR) and still finds its parts.
function(zv_relative out from to)
  file(RELATIVE_PATH rel "${CMAKE_INSTALL_PREFIX}/${from}" "${CMAKE_INSTALL_PREFIX}/${to}")
  set(${out} "${rel}" PARENT_SCOPE)
endfunction()
zv_relative(ZV_GAMES_TO_LIB "${ZV_INSTALL_GAMESDIR}" "${ZV_INSTALL_LIBDIR}")
zv_relative(ZV_BIN_TO_LIB "${CMAKE_INSTALL_BINDIR}" "${ZV_INSTALL_LIBDIR}")
zv_relative(ZV_GAMES_TO_DATA "${ZV_INSTALL_GAMESDIR}" "${ZV_INSTALL_DATADIR}")
zv_relative(ZV_BIN_TO_GAMES "${CMAKE_INSTALL_BINDIR}" "${ZV_INSTALL_GAMESDIR}")
zv_relative(ZV_BIN_TO_DATA "${CMAKE_INSTALL_BINDIR}" "${ZV_INSTALL_DATADIR}")
if(IS_ABSOLUTE "${ZV_INSTALL_DATADIR}")
  set(ZV_INSTALL_FULL_DATADIR "${ZV_INSTALL_DATADIR}")
else()
  set(ZV_INSTALL_FULL_DATADIR "${CMAKE_INSTALL_PREFIX}/${ZV_INSTALL_DATADIR}")
endif()

# The install rules proper, after every target exists (see install.cmake for the folders).
target_compile_definitions(vorin_core PRIVATE
  ZV_DATA_FROM_PROGRAM="${ZV_GAMES_TO_DATA}" ZV_INSTALL_DATA_DIR="${ZV_INSTALL_FULL_DATADIR}")
# zvtool playtest runs the game and copies its data: beside it in a build, here installed.
target_compile_definitions(zvtool PRIVATE ZV_GAMES_FROM_TOOLS="${ZV_BIN_TO_GAMES}"
  ZV_DATA_FROM_TOOLS="${ZV_BIN_TO_DATA}" ZV_INSTALL_DATA_DIR="${ZV_INSTALL_FULL_DATADIR}")
set_target_properties(vorin PROPERTIES INSTALL_RPATH "$ORIGIN/${ZV_GAMES_TO_LIB}")
set_target_properties(zvtool ronvalet-play PROPERTIES INSTALL_RPATH "$ORIGIN/${ZV_BIN_TO_LIB}")

install(TARGETS vorin RUNTIME DESTINATION ${ZV_INSTALL_GAMESDIR})
install(TARGETS zvtool ronvalet-play RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS Ronvalet LIBRARY DESTINATION ${ZV_INSTALL_LIBDIR})
# Every generated data file; a player's own configuration and scores in the build folder stay.
install(DIRECTORY ${ZV_BIN_DIR}/ DESTINATION ${ZV_INSTALL_DATADIR}
  FILES_MATCHING PATTERN "*.bmp" PATTERN "*.dat" PATTERN "*.map" PATTERN "*.dxw" PATTERN "*.mid"
  PATTERN "zvscore.dat" EXCLUDE PATTERN "CMakeFiles" EXCLUDE)

install(FILES ${CMAKE_CURRENT_LIST_DIR}/${ZV_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${ZV_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/vorin.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

# Icons: the player's ship from the generated sheet, drawn at every usual size.
set(ZV_ICON_SIZES 16 24 32 48 64 128 256)
set(ZV_ICON_DIR ${CMAKE_BINARY_DIR}/icons)
set(ZV_ICON_FILES)
foreach(size IN LISTS ZV_ICON_SIZES)
  list(APPEND ZV_ICON_FILES ${ZV_ICON_DIR}/${size}/${ZV_APP_ID}.png)
  install(FILES ${ZV_ICON_DIR}/${size}/${ZV_APP_ID}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_command(
  OUTPUT ${ZV_ICON_FILES}
  COMMAND zvtool icons ${ZV_BIN_DIR}/player.bmp ${ZV_ICON_DIR} ${ZV_APP_ID} ${ZV_ICON_SIZES}
  DEPENDS zvtool ${CMAKE_BINARY_DIR}/assets.stamp
  COMMENT "Drawing the icons"
  VERBATIM)
add_custom_target(zv_icons ALL DEPENDS ${ZV_ICON_FILES})
add_dependencies(zv_icons zv_assets)

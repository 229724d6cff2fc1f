# The five songs: assets/music/*.abc compiled by abc2midi (Debian abcmidi) into the bin folder.
find_program(ZV_ABC2MIDI abc2midi REQUIRED)
file(GLOB ZV_SONG_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/assets/music/*.abc)
set(ZV_SONGS)
foreach(src ${ZV_SONG_SOURCES})
  get_filename_component(name ${src} NAME_WE)
  set(out ${ZV_BIN_DIR}/${name}.mid)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DABC2MIDI=${ZV_ABC2MIDI} -DIN=${src} -DOUT=${out}
            -P ${CMAKE_CURRENT_SOURCE_DIR}/abc2midi.cmake
    DEPENDS ${src} ${CMAKE_CURRENT_SOURCE_DIR}/abc2midi.cmake
    COMMENT "Compiling song ${name}.mid"
    VERBATIM)
  list(APPEND ZV_SONGS ${out})
endforeach()
add_custom_target(zv_songs ALL DEPENDS ${ZV_SONGS})
add_dependencies(zv_assets zv_songs)

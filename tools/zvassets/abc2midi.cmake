# cmake -DABC2MIDI=... -DIN=song.abc -DOUT=song.mid -P abc2midi.cmake
# Runs abc2midi and fails on any error or warning it reports (it exits 0 on most of them),
# so a bar of the wrong length breaks the build instead of the song. Writes through a
# temporary file, so a failed run never leaves a half-written song.
execute_process(
  COMMAND ${ABC2MIDI} ${IN} -o ${OUT}.tmp
  RESULT_VARIABLE rc
  OUTPUT_VARIABLE out
  ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR out MATCHES "Error|Warning" OR err MATCHES "Error|Warning")
  file(REMOVE ${OUT}.tmp)
  message(FATAL_ERROR "abc2midi ${IN}:\n${out}${err}")
endif()
file(RENAME ${OUT}.tmp ${OUT})

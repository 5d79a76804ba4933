# The recorded sounds of the letters directory: number words, "_MENOS" and a
# letter sound per byte value, synthesized by tools/make_letters.sh.
set(LETTERS_STAMP ${LETTERS_DATA_DIR}/.made)
add_custom_command(OUTPUT ${LETTERS_STAMP}
  COMMAND ${ESPEAK_RUN} bash ${PROJECT_SOURCE_DIR}/tools/make_letters.sh ${PROJECT_SOURCE_DIR}/data/letters ${LETTERS_DATA_DIR}
          ${ESPEAK_DIR}/usr/bin/espeak-ng
  COMMAND ${CMAKE_COMMAND} -E touch ${LETTERS_STAMP}
  DEPENDS ${PROJECT_SOURCE_DIR}/tools/make_letters.sh
          ${PROJECT_SOURCE_DIR}/data/letters/letter_names.txt
          ${PROJECT_SOURCE_DIR}/data/letters/number_words.txt
          ${ESPEAK_STAMP}
  COMMENT "Synthesizing the letter and number-word sounds"
  VERBATIM)
add_custom_target(letters_data DEPENDS ${LETTERS_STAMP})
add_dependencies(voice_data letters_data)

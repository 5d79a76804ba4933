# The text-to-speech engine's data: the hand-written files of data/tts copied
# into kelmar/tavintts, and the diphone list portug.dfn generated from the br1
# voice database, which scripts/fetch-voice.sh fetches into build/mbrola.
set(TAVINTTS_DATA_DIR ${VOICE_DATA_DIR}/kelmar/tavintts)
set(MBROLA_DIR ${VOLTANOR_MBROLA_DIR})
set(BR1_DATABASE ${MBROLA_DIR}/usr/share/mbrola/br1/br1)
set(MBROLA_PROGRAM ${MBROLA_DIR}/usr/bin/mbrola)

add_custom_command(OUTPUT ${BR1_DATABASE} ${MBROLA_PROGRAM}
  COMMAND ${CMAKE_COMMAND} -E env VOLTANOR_MBROLA_DIR=${MBROLA_DIR} bash ${PROJECT_SOURCE_DIR}/scripts/fetch-voice.sh
  COMMENT "Fetching the br1 voice and the mbrola program"
  VERBATIM)

add_custom_command(OUTPUT ${TAVINTTS_DATA_DIR}/portug.dfn
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TAVINTTS_DATA_DIR}
  COMMAND mbrola_diphones ${BR1_DATABASE} ${TAVINTTS_DATA_DIR}/portug.dfn
  DEPENDS mbrola_diphones ${BR1_DATABASE}
  COMMENT "Listing the diphones of br1"
  VERBATIM)

set(TAVINTTS_OUTPUTS ${TAVINTTS_DATA_DIR}/portug.dfn)
file(GLOB TAVINTTS_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/tts/portug.*)
foreach(source ${TAVINTTS_FILES})
  get_filename_component(name ${source} NAME)
  add_custom_command(OUTPUT ${TAVINTTS_DATA_DIR}/${name}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TAVINTTS_DATA_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy ${source} ${TAVINTTS_DATA_DIR}/${name}
    DEPENDS ${source}
    COMMENT "Copying ${name}"
    VERBATIM)
  list(APPEND TAVINTTS_OUTPUTS ${TAVINTTS_DATA_DIR}/${name})
endforeach()
add_custom_target(tavintts_data DEPENDS ${TAVINTTS_OUTPUTS} ${MBROLA_PROGRAM})
add_dependencies(voice_data tavintts_data)

# The engine's lines for the battery report, spoken by the Linux mbrola program.
if(TARGET tts_lines)
  add_test(NAME tts_mbrola_speech COMMAND bash ${PROJECT_SOURCE_DIR}/tests/tts/mbrola_speech_check.sh
    $<TARGET_FILE:tts_lines> ${TAVINTTS_DATA_DIR} ${MBROLA_PROGRAM} ${BR1_DATABASE})
endif()

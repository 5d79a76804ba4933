# The voice data: `voice_data` builds everything the program reads at run time
# into build/data (kelmar/som/letras, kelmar/som/difones, ORAVIX.INI), from the
# generators in tools/ and the hand-written files in data/.  Each
# tools/cmake/*.cmake adds its own targets and makes voice_data depend on them.
set(VOICE_DATA_DIR ${VOLTANOR_DATA_DIR})
set(LETTERS_DATA_DIR ${VOICE_DATA_DIR}/kelmar/som/letras)
set(DIPHONE_DATA_DIR ${VOICE_DATA_DIR}/kelmar/som/difones)
add_custom_target(voice_data)

# The pinned espeak-ng whose pt-br speech the default voice's diphones and
# letters are cut from, fetched and unpacked privately by scripts/fetch-voice.sh
# (the machine's own espeak-ng, another version on another release, would make
# another voice).  Its programs run with its own libraries and data.
set(VOLTANOR_ESPEAK_DIR ${PROJECT_BINARY_DIR}/../espeak-ng CACHE PATH "The pinned espeak-ng the default voice is made with")
get_filename_component(ESPEAK_DIR ${VOLTANOR_ESPEAK_DIR} ABSOLUTE)
set(ESPEAK_LIBRARY_DIR ${ESPEAK_DIR}/usr/lib/${CMAKE_LIBRARY_ARCHITECTURE})
set(ESPEAK_DATA_DIR ${ESPEAK_LIBRARY_DIR}/espeak-ng-data)
set(ESPEAK_STAMP ${ESPEAK_DIR}/fetched.stamp)
add_custom_command(OUTPUT ${ESPEAK_STAMP} ${ESPEAK_LIBRARY_DIR}/libespeak-ng.so.1
  COMMAND ${CMAKE_COMMAND} -E env VOLTANOR_ESPEAK_DIR=${ESPEAK_DIR} bash ${PROJECT_SOURCE_DIR}/scripts/fetch-voice.sh espeak-ng
  COMMAND ${CMAKE_COMMAND} -E touch ${ESPEAK_STAMP}
  DEPENDS ${PROJECT_SOURCE_DIR}/scripts/fetch-voice.sh
  COMMENT "Fetching the pinned espeak-ng"
  VERBATIM)
add_custom_target(espeak_ng_pinned DEPENDS ${ESPEAK_STAMP})
set(ESPEAK_RUN ${CMAKE_COMMAND} -E env LD_LIBRARY_PATH=${ESPEAK_LIBRARY_DIR} ESPEAK_DATA_PATH=${ESPEAK_DATA_DIR})

if(EXISTS ${PROJECT_SOURCE_DIR}/data/ORAVIX.INI)
  add_custom_command(OUTPUT ${VOICE_DATA_DIR}/ORAVIX.INI
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VOICE_DATA_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/data/ORAVIX.INI ${VOICE_DATA_DIR}/ORAVIX.INI
    DEPENDS ${PROJECT_SOURCE_DIR}/data/ORAVIX.INI)
  add_custom_target(settings_file DEPENDS ${VOICE_DATA_DIR}/ORAVIX.INI)
  add_dependencies(voice_data settings_file)
endif()

file(GLOB VOICE_DATA_PARTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tools/cmake/*.cmake)
foreach(part ${VOICE_DATA_PARTS})
  include(${part})
endforeach()

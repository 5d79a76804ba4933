# The voice data: `voice_data` builds everything the program reads at run time
# into build/data (kelmar/som/letras, kelmar/som/difones, ORAVIX.INI), from the
# generators in tools/ and the hand-written files in data/.  Each
# tools/cmake/*.cmake adds its own targets and makes voice_data depend on them.
set(VOICE_DATA_DIR ${VOLTANOR_DATA_DIR})
set(LETTERS_DATA_DIR ${VOICE_DATA_DIR}/kelmar/som/letras)
set(DIPHONE_DATA_DIR ${VOICE_DATA_DIR}/kelmar/som/difones)
add_custom_target(voice_data)

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

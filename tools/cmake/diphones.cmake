# The default voice's diphone databases, one per speech speed (espeak-ng speaks
# the carrier words faster for the faster speeds).
find_library(ESPEAK_NG_LIBRARY espeak-ng REQUIRED)
target_link_libraries(make_diphones ${ESPEAK_NG_LIBRARY})

set(DIPHONE_DATABASES DIFONES1:130 DIFONES2:150 DIFONES3:170 DIFONES4:195 DIFONES5:225)
set(DIPHONE_OUTPUTS)
foreach(db ${DIPHONE_DATABASES})
  string(REGEX REPLACE ":.*" "" name ${db})
  list(APPEND DIPHONE_OUTPUTS ${DIPHONE_DATA_DIR}/${name}.IND ${DIPHONE_DATA_DIR}/${name}.DIF)
endforeach()
add_custom_command(OUTPUT ${DIPHONE_OUTPUTS}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${DIPHONE_DATA_DIR}
  COMMAND make_diphones ${DIPHONE_DATA_DIR} ${DIPHONE_DATABASES}
  DEPENDS make_diphones
  COMMENT "Cutting the diphone databases from espeak-ng carrier words")
add_custom_target(diphone_databases DEPENDS ${DIPHONE_OUTPUTS})
add_dependencies(voice_data diphone_databases)

# Every word of the report, and under 1 % of the Brazilian word list, must be
# said without a missing unit (once the rules and exceptions are part of the data).
if(EXISTS ${PROJECT_SOURCE_DIR}/data/difones/regras.rgr)
  add_test(NAME diphone_report_coverage COMMAND phoneme_coverage ${VOICE_DATA_DIR} --report-only)
  if(EXISTS /usr/share/dict/brazilian)
    add_test(NAME diphone_word_coverage COMMAND phoneme_coverage ${VOICE_DATA_DIR} --limit 1 --show 10)
  endif()
endif()

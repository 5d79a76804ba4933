# The default voice's diphone databases, one per speech speed (espeak-ng speaks
# the carrier words faster for the faster speeds), cut with the pinned espeak-ng.
add_dependencies(make_diphones espeak_ng_pinned)
target_include_directories(make_diphones BEFORE PRIVATE ${ESPEAK_DIR}/usr/include)
target_link_libraries(make_diphones ${ESPEAK_LIBRARY_DIR}/libespeak-ng.so.1)
target_link_options(make_diphones PRIVATE -Wl,-rpath-link,${ESPEAK_LIBRARY_DIR})

# Each database is cut for the cut and minimum lengths (CORTEFONn, SOBRAFONn)
# the settings file gives its speed.
set(DIPHONE_RATES 150 175 200 230 265)
file(STRINGS ${PROJECT_SOURCE_DIR}/data/ORAVIX.INI DIPHONE_SETTINGS)
set(DIPHONE_DATABASES)
set(DIPHONE_OUTPUTS)
foreach(speed 1 2 3 4 5)
  math(EXPR at "${speed} - 1")
  list(GET DIPHONE_RATES ${at} rate)
  set(cut 0)
  set(minimum 0)
  foreach(line ${DIPHONE_SETTINGS})
    if(line MATCHES "^CORTEFON${speed}=([0-9]+)")
      set(cut ${CMAKE_MATCH_1})
    elseif(line MATCHES "^SOBRAFON${speed}=([0-9]+)")
      set(minimum ${CMAKE_MATCH_1})
    endif()
  endforeach()
  list(APPEND DIPHONE_DATABASES DIFONES${speed}:${rate}:${cut}:${minimum})
  list(APPEND DIPHONE_OUTPUTS ${DIPHONE_DATA_DIR}/DIFONES${speed}.IND ${DIPHONE_DATA_DIR}/DIFONES${speed}.DIF)
endforeach()
add_custom_command(OUTPUT ${DIPHONE_OUTPUTS}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${DIPHONE_DATA_DIR}
  COMMAND ${ESPEAK_RUN} $<TARGET_FILE:make_diphones> ${DIPHONE_DATA_DIR} ${DIPHONE_DATABASES}
  DEPENDS make_diphones ${ESPEAK_STAMP} ${PROJECT_SOURCE_DIR}/data/ORAVIX.INI
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

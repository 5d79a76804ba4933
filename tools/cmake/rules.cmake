# The default voice's letter-to-sound rules and exceptions, copied beside the
# diphone databases where the synthesizer loads them.
set(RULES_FILES regras.rgr portug.exc)
set(RULES_OUTPUTS)
foreach(name ${RULES_FILES})
  add_custom_command(OUTPUT ${DIPHONE_DATA_DIR}/${name}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${DIPHONE_DATA_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/data/difones/${name} ${DIPHONE_DATA_DIR}/${name}
    DEPENDS ${PROJECT_SOURCE_DIR}/data/difones/${name}
    COMMENT "Copying ${name}"
    VERBATIM)
  list(APPEND RULES_OUTPUTS ${DIPHONE_DATA_DIR}/${name})
endforeach()
add_custom_target(rules_data DEPENDS ${RULES_OUTPUTS})
add_dependencies(voice_data rules_data)

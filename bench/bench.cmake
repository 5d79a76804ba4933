# The benchmarks' programs, linked with the program's own libraries so that
# they follow its code.  `benches` builds them all (EXCLUDE_FROM_ALL each):
# natively in the optimized tree without sanitizers (build/native-bench,
# VOLTANOR_BENCH=ON) and for Windows in the cross trees; scripts/build.sh
# benches builds that tree and the i686 programs.
add_custom_target(benches)

if(NOT WIN32)
  # The text-to-speech engine over MBROLA linked in, wave output a counter.
  add_executable(tavin_bench EXCLUDE_FROM_ALL ${PROJECT_SOURCE_DIR}/bench/tavin_bench.cpp ${MBROLA_LINKED_LOADER})
  target_link_libraries(tavin_bench voltanor_portable mbrola_native)
  # The pronunciation stage alone.
  add_executable(tts_words EXCLUDE_FROM_ALL ${PROJECT_SOURCE_DIR}/bench/tts_words.cpp)
  target_link_libraries(tts_words voltanor_portable)
  # The default voice over the unit tests' fakes of the Win32 edge.
  add_executable(voice_render EXCLUDE_FROM_ALL ${PROJECT_SOURCE_DIR}/bench/voice_render.cpp ${FAKE_SOURCES})
  target_include_directories(voice_render PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(voice_render voltanor_portable)
  # make_diphones_speech and tts_lines are tools (tools/), built here optimized.
  add_dependencies(benches tavin_bench tts_words voice_render make_diphones_speech tts_lines)
  return()
endif()

# The engine as the program runs it: a Windows program over mbrola.dll.
add_executable(tavin_bench EXCLUDE_FROM_ALL ${PROJECT_SOURCE_DIR}/bench/tavin_bench.cpp)
target_link_libraries(tavin_bench -Wl,--start-group voltanor_portable voltanor_edge -Wl,--end-group psapi)
# Without debugging sections, which Wine would map and count in the working set.
target_link_options(tavin_bench PRIVATE -s)
add_dependencies(tavin_bench mbrola)
add_dependencies(benches tavin_bench wave_playback_bench)
foreach(name trivial_window trivial_winmm trivial_ole trivial_all trivial_wave trivial_destroy trivial_report
             trivial_stream)
  add_dependencies(benches bench_${name})
endforeach()

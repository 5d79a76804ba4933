# MBROLA, the outside diphone synthesizer the text-to-speech engine drives
# (AGPL-3).  Its source is fetched at a pinned commit and never kept in this
# repository; a machine without access to its home sets
# FETCHCONTENT_SOURCE_DIR_MBROLA to a copy of that commit's tree (the build
# scripts do so when one lies beside the clone).
#
# The one-channel library is the single file LibOneChannel/lib1.c, which
# includes every other source file it needs.
#   Windows: mbrola.dll beside voltanor.exe, its entry points stdcall with
#            plain export names, and mbrola-lacking/mbrola.dll, the same
#            library with one entry point missing, for the tests.
#   native:  mbrola_native, a static library the native tests and tools link
#            to run the real synthesizer.
include(FetchContent)
FetchContent_Declare(mbrola
  GIT_REPOSITORY https://github.com/numediart/MBROLA
  GIT_TAG 274dead162f2826dc38c208fba92efeddb724c33)
FetchContent_GetProperties(mbrola)
if(NOT mbrola_POPULATED)
  FetchContent_Populate(mbrola)
endif()

# The entry points the engine resolves, in the order of its table
# (src/tts/mbrola_binding.h).
set(MBROLA_ENTRY_POINTS
  init_MBR init_rename_MBR write_MBR flush_MBR read_MBR readtype_MBR close_MBR reset_MBR
  lastError_MBR lastErrorStr_MBR setNoError_MBR getNoError_MBR setFreq_MBR getFreq_MBR
  setVolumeRatio_MBR getVolumeRatio_MBR getVersion_MBR getDatabaseInfo_MBR setParser_MBR
  init_Phone reset_Phone close_Phone appendf0_Phone)

# MBROLA's own flags; the Windows library takes none of the program's (no code
# page conversion, no -static), the native one keeps the sanitizers.
function(mbrola_compile target)
  if(WIN32)
    set_target_properties(${target} PROPERTIES COMPILE_OPTIONS "" LINK_OPTIONS "")
  endif()
  target_include_directories(${target} PRIVATE ${MBROLA_INCLUDE_DIRS})
  target_compile_options(${target} PRIVATE -O2 -ansi -pedantic -w ${MBROLA_ARCH_FLAGS})
endfunction()

# One compiled library, linked once per export list.
function(mbrola_library target output_dir entry_points)
  set(def ${PROJECT_BINARY_DIR}/${target}.def)
  list(JOIN entry_points "\n" exports)
  file(WRITE ${def} "LIBRARY mbrola.dll\nEXPORTS\n${exports}\n")
  add_library(${target} SHARED $<TARGET_OBJECTS:mbrola_objects> ${def})
  set_target_properties(${target} PROPERTIES
    PREFIX "" OUTPUT_NAME mbrola LINKER_LANGUAGE C
    RUNTIME_OUTPUT_DIRECTORY ${output_dir} ARCHIVE_OUTPUT_DIRECTORY ${output_dir}
    COMPILE_OPTIONS "" LINK_OPTIONS "")
  target_link_options(${target} PRIVATE -static-libgcc -Wl,--enable-stdcall-fixup)
endfunction()

set(MBROLA_INCLUDE_DIRS
  ${mbrola_SOURCE_DIR}/Parser ${mbrola_SOURCE_DIR}/Misc ${mbrola_SOURCE_DIR}/LibOneChannel
  ${mbrola_SOURCE_DIR}/Engine ${mbrola_SOURCE_DIR}/Database)

if(WIN32)
  # x87 arithmetic drifts from the other builds within half a second of speech;
  # with SSE2 every build gives the same samples, byte for byte.
  set(MBROLA_ARCH_FLAGS)
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    set(MBROLA_ARCH_FLAGS -msse2 -mfpmath=sse)
  endif()
  add_library(mbrola_objects OBJECT ${mbrola_SOURCE_DIR}/LibOneChannel/lib1.c)
  mbrola_compile(mbrola_objects)
  target_compile_definitions(mbrola_objects PRIVATE DLL LITTLE_ENDIAN)
  mbrola_library(mbrola ${PROJECT_BINARY_DIR} "${MBROLA_ENTRY_POINTS}")
  set(lacking ${MBROLA_ENTRY_POINTS})
  list(REMOVE_ITEM lacking appendf0_Phone)
  mbrola_library(mbrola_lacking ${PROJECT_BINARY_DIR}/mbrola-lacking "${lacking}")
else()
  add_library(mbrola_native STATIC ${mbrola_SOURCE_DIR}/LibOneChannel/lib1.c)
  mbrola_compile(mbrola_native)
  target_compile_definitions(mbrola_native PRIVATE LITTLE_ENDIAN)
endif()

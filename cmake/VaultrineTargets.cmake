# Helpers that every folder uses to declare its targets.
#
#   vaultrine_add_core(<name> SOURCES ... [LIBS ...])
#       Portable library (no <windows.h>), built natively and for Windows.
#   vaultrine_add_deliverable(<target> OUTPUT_NAME <file> KIND GUI|DLL DESCRIPTION <text>
#                             SOURCES ... [DEF file.def] [LIBS ...])
#       DEF lists the exports (undecorated), for a DLL or for a program.
#       One of the five shipped binaries: static runtime, manifest, version 1.92,
#       placed in the program folder.
#   vaultrine_program_file(<source> <relative destination> [DEPENDS targets...])
#       A data file of the program folder (message files, templates, catalog...).
#   vaultrine_add_wine_test(<name> SOURCES ... [LIBS ...] [DEPENDS targets...])
#       GoogleTest program for the x86_64 build, run by ctest under Wine.
#   vaultrine_add_fuzzer(<name> SOURCES ... [INCLUDES ...] [SEEDS files or folders...]
#                        [MAX_LEN bytes] [SMOKE_SECONDS s])
#       libFuzzer target built with clang (native only) into build/<preset>/fuzz,
#       smoke-run by ctest from its seeds; `make fuzz` (scripts/fuzz) runs it longer.

set(VAULTRINE_CMAKE_DIR ${CMAKE_CURRENT_LIST_DIR})

function(vaultrine_add_core name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${A_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  if(A_LIBS)
    target_link_libraries(${name} PUBLIC ${A_LIBS})
  endif()
  set_property(GLOBAL APPEND PROPERTY VAULTRINE_CORE_LIBS ${name})
endfunction()

function(vaultrine_add_deliverable target)
  if(NOT WIN32)
    return()
  endif()
  cmake_parse_arguments(A "" "OUTPUT_NAME;KIND;DESCRIPTION;DEF" "SOURCES;LIBS" ${ARGN})
  set(VAULTRINE_FILE_NAME ${A_OUTPUT_NAME})
  set(VAULTRINE_DESCRIPTION ${A_DESCRIPTION})
  if(A_KIND STREQUAL "DLL")
    set(VAULTRINE_FILE_TYPE "VFT_DLL")
    set(VAULTRINE_MANIFEST_ID 2)   # ISOLATIONAWARE_MANIFEST_RESOURCE_ID
  else()
    set(VAULTRINE_FILE_TYPE "VFT_APP")
    set(VAULTRINE_MANIFEST_ID 1)   # CREATEPROCESS_MANIFEST_RESOURCE_ID
  endif()
  set(VAULTRINE_MANIFEST_FILE ${VAULTRINE_CMAKE_DIR}/app.manifest)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
  configure_file(${VAULTRINE_CMAKE_DIR}/version.rc.in ${rc} @ONLY)

  if(A_KIND STREQUAL "DLL")
    add_library(${target} SHARED ${A_SOURCES} ${rc})
    set_target_properties(${target} PROPERTIES PREFIX "")
  else()
    add_executable(${target} WIN32 ${A_SOURCES} ${rc})
    target_link_options(${target} PRIVATE -municode)
  endif()
  if(A_DEF)
    # The linker takes the export list straight from the .def, for programs too.
    get_filename_component(def_path ${A_DEF} ABSOLUTE)
    target_link_options(${target} PRIVATE ${def_path})
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${def_path})
    # Exports keep their plain names; never add @n decorations. A .def names a
    # CALLBACK function without its @n: linking the two is intended.
    target_link_options(${target} PRIVATE -Wl,--kill-at -Wl,--enable-stdcall-fixup)
  endif()
  get_filename_component(base ${A_OUTPUT_NAME} NAME_WE)
  set_target_properties(${target} PROPERTIES OUTPUT_NAME ${base})
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${target} PRIVATE ${A_LIBS} vaultrine_win comctl32 shlwapi)
  set_property(GLOBAL APPEND PROPERTY VAULTRINE_DELIVERABLES ${target})

  # Both architectures: the binary must need nothing but Windows itself.
  set(def_arg "")
  if(A_DEF)
    get_filename_component(def_abs ${A_DEF} ABSOLUTE)
    set(def_arg -DDEF=${def_abs})
  endif()
  add_test(NAME ${target}_binary_tables
           COMMAND ${CMAKE_COMMAND} -DBINARY=$<TARGET_FILE:${target}> -DOBJDUMP=${CMAKE_OBJDUMP}
                   ${def_arg} -P ${VAULTRINE_CMAKE_DIR}/CheckBinary.cmake)
  set_tests_properties(${target}_binary_tables PROPERTIES LABELS binary)
endfunction()

function(vaultrine_program_file source dest)
  cmake_parse_arguments(A "" "" "DEPENDS" ${ARGN})
  set_property(GLOBAL APPEND PROPERTY VAULTRINE_PROGRAM_FILES "${source}|${dest}")
  if(A_DEPENDS)
    set_property(GLOBAL APPEND PROPERTY VAULTRINE_PROGRAM_FILE_DEPENDS ${A_DEPENDS})
  endif()
endfunction()

# A deliverable's .rc: the pictures it finds in FOLDER (made by PICTURES_TARGET first)
# and the template parts and headers it includes (PARTS, beside it), so that the .rc
# is compiled again whenever one of them changes.
function(vaultrine_rc target rc)
  cmake_parse_arguments(A "" "FOLDER;PICTURES_TARGET" "PICTURES;PARTS" ${ARGN})
  target_include_directories(${target} PRIVATE ${A_FOLDER})
  add_dependencies(${target} ${A_PICTURES_TARGET})
  list(TRANSFORM A_PICTURES PREPEND ${A_FOLDER}/)
  list(TRANSFORM A_PARTS PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
  set_property(SOURCE ${rc} APPEND PROPERTY OBJECT_DEPENDS ${A_PICTURES} ${A_PARTS})
endfunction()

# Assembles build/<preset>/programfolder: the five binaries and their data files.
function(vaultrine_finish_program_folder)
  if(NOT WIN32)
    return()
  endif()
  set(folder ${CMAKE_BINARY_DIR}/programfolder)
  get_property(targets GLOBAL PROPERTY VAULTRINE_DELIVERABLES)
  get_property(files GLOBAL PROPERTY VAULTRINE_PROGRAM_FILES)
  get_property(file_deps GLOBAL PROPERTY VAULTRINE_PROGRAM_FILE_DEPENDS)
  set(commands COMMAND ${CMAKE_COMMAND} -E make_directory ${folder})
  foreach(t IN LISTS targets)
    list(APPEND commands COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${t}> ${folder}/)
  endforeach()
  foreach(entry IN LISTS files)
    string(REPLACE "|" ";" parts "${entry}")
    list(GET parts 0 src)
    list(GET parts 1 dst)
    get_filename_component(dst_dir ${folder}/${dst} DIRECTORY)
    list(APPEND commands COMMAND ${CMAKE_COMMAND} -E make_directory ${dst_dir}
                         COMMAND ${CMAKE_COMMAND} -E copy_if_different ${src} ${folder}/${dst})
  endforeach()
  add_custom_target(program_folder ALL ${commands} DEPENDS ${targets} ${file_deps}
                    COMMENT "Assembling the program folder")
endfunction()

function(vaultrine_add_wine_test name)
  if(NOT WIN32)
    return()
  endif()
  cmake_parse_arguments(A "" "TIMEOUT" "SOURCES;LIBS;DEPENDS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${A_LIBS} vaultrine_win GTest::gtest GTest::gmock)
  if(A_DEPENDS)
    add_dependencies(${name} ${A_DEPENDS})
  endif()
  if(NOT A_TIMEOUT)
    set(A_TIMEOUT 180)
  endif()
  if(CMAKE_CROSSCOMPILING_EMULATOR)
    add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
    set_tests_properties(${name} PROPERTIES TIMEOUT ${A_TIMEOUT} LABELS wine)
  endif()
endfunction()

find_program(VAULTRINE_CLANGXX clang++)
add_custom_target(fuzzers)
function(vaultrine_add_fuzzer name)
  if(WIN32 OR NOT VAULTRINE_CLANGXX)
    return()
  endif()
  cmake_parse_arguments(A "" "SMOKE_SECONDS;MAX_LEN" "SOURCES;INCLUDES;LINK;SEEDS" ${ARGN})
  if(NOT A_SMOKE_SECONDS)
    set(A_SMOKE_SECONDS 10)
  endif()
  if(NOT A_MAX_LEN)
    set(A_MAX_LEN 4096)
  endif()
  set(dir ${CMAKE_BINARY_DIR}/fuzz)
  set(out ${dir}/${name})
  set(abs_sources)
  foreach(s IN LISTS A_SOURCES)
    get_filename_component(abs ${s} ABSOLUTE)
    list(APPEND abs_sources ${abs})
  endforeach()
  set(incs -I${CMAKE_SOURCE_DIR})
  foreach(i IN LISTS A_INCLUDES)
    list(APPEND incs -I${i})
  endforeach()
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND ${VAULTRINE_CLANGXX} -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined
            -fno-sanitize-recover=undefined ${incs} ${abs_sources} ${A_LINK} -o ${out}
    DEPENDS ${abs_sources}
    COMMENT "Building fuzz target ${name}" VERBATIM)
  add_custom_target(${name} ALL DEPENDS ${out})
  add_dependencies(fuzzers ${name})

  # Seed inputs (files, or folders taken whole) as the list libFuzzer's
  # -seed_inputs=@file reads, and the options every run of this target uses;
  # scripts/fuzz finds each target by these two files.
  set(seeds)
  foreach(s IN LISTS A_SEEDS)
    get_filename_component(abs ${s} ABSOLUTE)
    if(IS_DIRECTORY ${abs})
      file(GLOB found CONFIGURE_DEPENDS ${abs}/*)
      list(APPEND seeds ${found})
    else()
      list(APPEND seeds ${abs})
    endif()
  endforeach()
  list(JOIN seeds "," seed_list)
  file(WRITE ${dir}/${name}.seeds "${seed_list}")
  set(options -max_len=${A_MAX_LEN} -rss_limit_mb=2048 -timeout=20)
  list(JOIN options " " option_text)
  file(WRITE ${dir}/${name}.options "${option_text}\n")

  # The smoke run starts from the seeds and keeps nothing: its folder is its own, so
  # runs of different targets never share a file.
  set(seed_arg)
  if(seeds)
    set(seed_arg -seed_inputs=@${dir}/${name}.seeds)
  endif()
  file(MAKE_DIRECTORY ${dir}/${name}.smoke)
  add_test(NAME ${name}_smoke
           COMMAND ${out} -max_total_time=${A_SMOKE_SECONDS} ${options} ${seed_arg}
           WORKING_DIRECTORY ${dir}/${name}.smoke)
  set_tests_properties(${name}_smoke PROPERTIES TIMEOUT 120 LABELS fuzz)
endfunction()

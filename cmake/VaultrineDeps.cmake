# Third-party libraries, all installed by scripts/bootstrap, never vendored.

# GoogleTest from Debian's source package, built for whichever target this is.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
if(EXISTS /usr/src/googletest/CMakeLists.txt)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/_deps/googletest EXCLUDE_FROM_ALL)
else()
  message(FATAL_ERROR "GoogleTest sources missing: run scripts/bootstrap")
endif()
include(GoogleTest)

# SQLite: the host library natively, the amalgamation for MinGW.
if(WIN32)
  set(VAULTRINE_SQLITE_DIR ${CMAKE_SOURCE_DIR}/build/deps/sqlite3)
  if(NOT EXISTS ${VAULTRINE_SQLITE_DIR}/sqlite3.c)
    message(FATAL_ERROR "SQLite amalgamation missing in ${VAULTRINE_SQLITE_DIR}: run scripts/bootstrap")
  endif()
  add_library(vaultrine_sqlite3 STATIC ${VAULTRINE_SQLITE_DIR}/sqlite3.c)
  target_include_directories(vaultrine_sqlite3 SYSTEM PUBLIC ${VAULTRINE_SQLITE_DIR})
  # Single-threaded callers; no extension loading inside a backup library.
  target_compile_definitions(vaultrine_sqlite3 PRIVATE SQLITE_THREADSAFE=0 SQLITE_OMIT_LOAD_EXTENSION
                             SQLITE_DEFAULT_MEMSTATUS=0 SQLITE_DQS=0)
  target_compile_options(vaultrine_sqlite3 PRIVATE -w)
  add_library(Vaultrine::SQLite ALIAS vaultrine_sqlite3)

  # Debian's MinGW zlib; the static archive, so no zlib1.dll is needed.
  add_library(vaultrine_zlib STATIC IMPORTED)
  set_target_properties(vaultrine_zlib PROPERTIES
    IMPORTED_LOCATION ${CMAKE_FIND_ROOT_PATH}/lib/libz.a
    INTERFACE_INCLUDE_DIRECTORIES ${CMAKE_FIND_ROOT_PATH}/include)
  add_library(Vaultrine::ZLIB ALIAS vaultrine_zlib)
else()
  find_package(SQLite3 REQUIRED)
  add_library(Vaultrine::SQLite ALIAS SQLite::SQLite3)
  find_package(ZLIB REQUIRED)
  add_library(Vaultrine::ZLIB ALIAS ZLIB::ZLIB)
  find_package(benchmark QUIET)
endif()

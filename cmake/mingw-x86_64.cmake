set(VAULTRINE_MINGW_TRIPLE x86_64-w64-mingw32)
set(VAULTRINE_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
# Only the 64-bit build can run here: ctest starts its tests through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)

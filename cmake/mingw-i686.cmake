set(VAULTRINE_MINGW_TRIPLE i686-w64-mingw32)
set(VAULTRINE_MINGW_ARCH x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
# 32-bit programs cannot run on the build machines: no emulator, the tests only check exports.

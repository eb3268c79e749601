set(VAULTRINE_MINGW_TRIPLE i686-w64-mingw32)
set(VAULTRINE_MINGW_ARCH x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
# 32-bit Linux programs cannot start here, so Debian's 32-bit Wine cannot either: the Wine
# tests of this build run under the WoW64 Wine of scripts/wow64-wine (make test-i686).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run --i686)

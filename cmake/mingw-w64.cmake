# Cross build for 64-bit Windows with Debian's MinGW-w64; the programs run here under Wine.
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DKORVEX_FENETRE=OFF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KORVEX_MINGW_TRIPLET x86_64-w64-mingw32)
# The posix thread model: GCC 12's win32 model has no std::thread, std::mutex or std::future.
find_program(CMAKE_C_COMPILER NAMES ${KORVEX_MINGW_TRIPLET}-gcc-posix ${KORVEX_MINGW_TRIPLET}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${KORVEX_MINGW_TRIPLET}-g++-posix ${KORVEX_MINGW_TRIPLET}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${KORVEX_MINGW_TRIPLET}-windres)
set(CMAKE_AR ${KORVEX_MINGW_TRIPLET}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${KORVEX_MINGW_TRIPLET}-ranlib CACHE FILEPATH "")

set(CMAKE_FIND_ROOT_PATH /usr/${KORVEX_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Self-contained executables: no libgcc, libstdc++ or winpthread DLL to ship or to find under Wine.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# No call newer than Windows 7 (GetLocaleInfoEx needs Vista).
set(CMAKE_C_FLAGS_INIT "-D_WIN32_WINNT=0x0601")
set(CMAKE_CXX_FLAGS_INIT "-D_WIN32_WINNT=0x0601")

# ctest and custom commands run the .exe through Wine.
find_program(KORVEX_WINE NAMES wine wine64)
if(KORVEX_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${KORVEX_WINE})
endif()

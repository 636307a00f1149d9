# Cross-building the Qt-free parts (platform, engine, report, the CLI and
# their tests) for 64-bit Windows with Debian's MinGW-w64. The POSIX thread
# model of the compiler is the one whose C++ library has std::mutex and
# std::thread (GoogleTest needs them). The programs run under Wine: CTest
# starts the test executables through the emulator below.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(coredesign_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${coredesign_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${coredesign_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${coredesign_mingw}-windres)
set(CMAKE_AR ${coredesign_mingw}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${coredesign_mingw}-gcc-ranlib-posix CACHE FILEPATH "")

set(CMAKE_FIND_ROOT_PATH /usr/${coredesign_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Windows 7 and later; every program carries its C and C++ runtime and the
# thread library inside it, so that no MinGW DLL has to travel with it.
add_compile_definitions(_WIN32_WINNT=0x0601)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# The executables run under Wine (wine finds wine64 for 64-bit programs).
find_program(COREDESIGN_WINE NAMES wine wine64)
if(COREDESIGN_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${COREDESIGN_WINE})
endif()

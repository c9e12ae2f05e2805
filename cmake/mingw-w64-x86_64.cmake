# Cross-builds for 64-bit Windows with Debian's MinGW-w64 compilers (the
# posix-thread ones, which std::thread and std::mutex need). The programs
# are linked static, so quarnel.exe runs without a DLL beside it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(quarnel_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${quarnel_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${quarnel_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${quarnel_mingw}-windres)
# Link-time optimisation needs the archiver that knows the compiler's
# plug-in; the plain one leaves the libraries without a symbol table.
set(CMAKE_AR ${quarnel_mingw}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${quarnel_mingw}-gcc-ranlib-posix CACHE FILEPATH "")
set(CMAKE_C_COMPILER_AR ${quarnel_mingw}-gcc-ar-posix)
set(CMAKE_CXX_COMPILER_AR ${quarnel_mingw}-gcc-ar-posix)
set(CMAKE_C_COMPILER_RANLIB ${quarnel_mingw}-gcc-ranlib-posix)
set(CMAKE_CXX_COMPILER_RANLIB ${quarnel_mingw}-gcc-ranlib-posix)

set(CMAKE_FIND_ROOT_PATH /usr/${quarnel_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Without -static the programs need libstdc++-6.dll and libgcc_s_seh-1.dll.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Tests and checks run the programs under Wine.
find_program(quarnel_wine NAMES wine wine64)
if(quarnel_wine)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${quarnel_wine})
endif()

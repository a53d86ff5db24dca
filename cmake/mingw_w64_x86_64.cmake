# Cross-builds the game for 64-bit Windows with mingw-w64 (the posix thread model, whose
# libstdc++ has std::thread). The C and C++ runtimes are linked statically so the program
# folder needs no mingw DLLs; libpng, libogg and libvorbis come from the prefix that
# scripts/build-win-libs.sh fills, zlib from Debian's mingw-w64 package.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TESSAROID_MINGW x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${TESSAROID_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TESSAROID_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${TESSAROID_MINGW}-windres)

# The cross-built libraries (TESSAROID_WIN_LIBS, set by scripts/build-win.sh) before the
# mingw sysroot; nothing from the build machine.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TESSAROID_WIN_LIBS)
set(CMAKE_FIND_ROOT_PATH ${TESSAROID_WIN_LIBS} /usr/${TESSAROID_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(ZLIB_USE_STATIC_LIBS ON)

# pkg-config looks only at the cross-built libraries and the mingw-w64 zlib.
set(ENV{PKG_CONFIG_LIBDIR}
    "${TESSAROID_WIN_LIBS}/lib/pkgconfig:/usr/${TESSAROID_MINGW}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ -static")

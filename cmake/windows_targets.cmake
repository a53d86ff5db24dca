# The 64-bit Windows build's targets: the same game code as the Linux build, over the
# Win32 implementations of the platform seams. Included by the top-level CMakeLists.txt
# when cross-building (scripts/build-win.sh); each folder's own CMakeLists.txt adds its
# Windows files in its if(WIN32) block.
enable_language(RC)
find_package(PkgConfig REQUIRED)
pkg_check_modules(PNG REQUIRED IMPORTED_TARGET libpng)
find_package(ZLIB REQUIRED)
find_package(Threads REQUIRED)

set(TESSAROID_GAME_DIR ${CMAKE_BINARY_DIR}/game)
set(TESSAROID_BIN_DIR ${CMAKE_BINARY_DIR}/bin)
file(MAKE_DIRECTORY ${TESSAROID_GAME_DIR} ${TESSAROID_BIN_DIR})

add_compile_options(-Wall -Wextra -Wno-unused-parameter -ffp-contract=off)
# Wide-character Win32 calls; Windows 10 interfaces; no min/max macros over std::min.
# The C runtime's localtime_r, which the scripted clock shares with POSIX.
add_compile_definitions(UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0A00
                        _POSIX_THREAD_SAFE_FUNCTIONS)

# The main thread gets the 8 MiB stack a Linux one has: tests and tools keep whole records
# such as the draw list (2 MiB of vertices) on the stack.
add_link_options(-Wl,--stack,8388608)

add_library(tessaroid_core STATIC)
target_include_directories(tessaroid_core PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(tessaroid_core PUBLIC Threads::Threads PkgConfig::PNG)

# The Win32 implementations of the platform seams (files, lock, folders, line reader).
add_library(tessaroid_win32 STATIC)
target_link_libraries(tessaroid_win32 PUBLIC tessaroid_core)
add_library(tessaroid_quiet_messages STATIC)
target_link_libraries(tessaroid_quiet_messages PUBLIC tessaroid_core)
add_library(tessaroid_windowed_messages STATIC)
target_link_libraries(tessaroid_windowed_messages PUBLIC tessaroid_core)

# Under code/, as in the Linux build: the program folder build-win/game/ holds only the game.
foreach(folder platform game frontend persist render assets audio input app)
  add_subdirectory(${folder} ${CMAKE_BINARY_DIR}/code/${folder})
endforeach()

# Static libraries name their own dependencies only in pkg-config's private fields: link
# them after the core, in order.
pkg_check_modules(WIN_STATIC_AUDIO REQUIRED IMPORTED_TARGET vorbis ogg)
target_link_libraries(tessaroid_core PUBLIC PkgConfig::WIN_STATIC_AUDIO ZLIB::ZLIB)

# The game: the same start-up, loop and exit path as on Linux over Win32, Direct3D 11,
# XAudio2 and XInput, in the program folder beside the shaders, dir.txt and the data folder.
# (-mwindows: no console window; the program still enters at main.)
add_executable(tessaroid)
# The core and the seams' implementations call each other: one group, searched again.
target_link_libraries(tessaroid PRIVATE tessaroid_app tessaroid_resources tessaroid_d3d11
  "$<LINK_GROUP:RESCAN,tessaroid_core,tessaroid_win32_window,tessaroid_win32_keys,tessaroid_xaudio2_voices,tessaroid_windowed_messages,tessaroid_win32,tessaroid_real_clock>")
set_target_properties(tessaroid PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TESSAROID_GAME_DIR}
                      WIN32_EXECUTABLE TRUE)

# The headless frame driver, as in tools/trace.
add_library(tessaroid_trace_text STATIC tools/trace/trace_writer.cpp
            tools/trace/trace_script.cpp)
target_link_libraries(tessaroid_trace_text PUBLIC tessaroid_core)
add_library(tessaroid_trace_driver STATIC tools/trace/trace_driver.cpp
            tools/trace/trace_frame_json.cpp)
target_link_libraries(tessaroid_trace_driver PUBLIC tessaroid_trace_text tessaroid_core
                      tessaroid_win32 tessaroid_scripted_input tessaroid_scripted_clock
                      tessaroid_quiet_messages)
add_executable(tessaroid-trace tools/trace/trace_main.cpp tools/trace/win32_binary_stdio.cpp)
target_link_libraries(tessaroid-trace PRIVATE tessaroid_trace_driver tessaroid_core
                      tessaroid_null_voices)
set_target_properties(tessaroid-trace PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TESSAROID_BIN_DIR})

# Windows programs that the build itself runs (the shader compiler) go through Wine, in the
# build tree's own prefix.
set(TESSAROID_WINE_RUN ${CMAKE_SOURCE_DIR}/tools/run_under_wine.sh)
set(TESSAROID_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
add_subdirectory(tools/shaderc)

if(TESSAROID_TESTS)
  enable_testing()
  add_subdirectory(tests/windows)
endif()

# Installing the game (`cmake --install`, and the Debian package made from the same rules):
# the program folder whole, as the game finds everything beside its executable, a link to
# the executable on the PATH, and the desktop's menu entry, icons, AppStream metadata and
# manual page. Nothing of the build tree is needed at run time.
set(TESSAROID_INSTALL_FOLDER lib/games/tessaroid CACHE STRING
    "The installed program folder, under the prefix")
set(TESSAROID_INSTALL_LINK_DIR games CACHE STRING
    "Where the link to the executable goes, under the prefix (a folder on the PATH)")

find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(staged ${CMAKE_BINARY_DIR}/installed)

# The installed dir.txt and Game.ini come fresh from tessaroid-folder, not from build/game/,
# where playing from the build tree changes Game.ini. That Game.ini gives a new player the
# first settings (music and effects heard, the pad's buttons apart) until the first save.
add_custom_command(
  OUTPUT ${staged}/folder/Game.ini ${staged}/folder/dir.txt
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${staged}/folder
  COMMAND ${CMAKE_COMMAND} -E make_directory ${staged}/folder
  COMMAND tessaroid-folder ${staged}/folder
  DEPENDS tessaroid-folder
  COMMENT "Preparing the installed program folder's files"
  VERBATIM)

# The icon theme's sizes, drawn as the Windows icon is.
set(icon_sizes 16 22 24 32 48 64 128 256)
set(icons)
foreach(side ${icon_sizes})
  set(icon ${staged}/icons/${side}x${side}/tessaroid.png)
  add_custom_command(
    OUTPUT ${icon}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${staged}/icons/${side}x${side}
    COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/tools/icon/make_icon.py --png ${side}
            ${icon}
    DEPENDS ${CMAKE_SOURCE_DIR}/tools/icon/make_icon.py
    VERBATIM)
  list(APPEND icons ${icon})
endforeach()

# The manual page and the changelog compressed as Debian has them (no name or time inside,
# so the same bytes every build).
set(compressed)
foreach(source tessaroid.6 changelog)
  set(copy ${staged}/docs/${source})
  add_custom_command(
    OUTPUT ${copy}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_LIST_DIR}/${source} ${copy}
    COMMAND gzip -9nf ${copy}
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/${source}
    VERBATIM)
  list(APPEND compressed ${copy}.gz)
endforeach()
add_custom_target(install_files ALL DEPENDS ${staged}/folder/Game.ini ${icons} ${compressed})

# The link on the PATH, relative, so the installed tree may be moved or unpacked anywhere.
file(RELATIVE_PATH link_target /prefix/${TESSAROID_INSTALL_LINK_DIR}
     /prefix/${TESSAROID_INSTALL_FOLDER}/tessaroid)
file(MAKE_DIRECTORY ${staged}/link)
file(CREATE_LINK ${link_target} ${staged}/link/tessaroid SYMBOLIC)

install(TARGETS tessaroid RUNTIME DESTINATION ${TESSAROID_INSTALL_FOLDER})
install(FILES ${staged}/folder/dir.txt ${staged}/folder/Game.ini
        ${CMAKE_SOURCE_DIR}/render/shaders/SampleVS.glsl
        ${CMAKE_SOURCE_DIR}/render/shaders/SamplePS.glsl
        DESTINATION ${TESSAROID_INSTALL_FOLDER})
install(DIRECTORY ${TESSAROID_GAME_DIR}/data DESTINATION ${TESSAROID_INSTALL_FOLDER})
install(FILES ${staged}/link/tessaroid DESTINATION ${TESSAROID_INSTALL_LINK_DIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/tessaroid.desktop DESTINATION share/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/example.c_seed_10942c51.tessaroid.metainfo.xml
        DESTINATION share/metainfo)
foreach(side ${icon_sizes})
  install(FILES ${staged}/icons/${side}x${side}/tessaroid.png
          DESTINATION share/icons/hicolor/${side}x${side}/apps)
endforeach()
install(FILES ${staged}/docs/tessaroid.6.gz DESTINATION share/man/man6)
install(FILES ${staged}/docs/changelog.gz ${CMAKE_CURRENT_LIST_DIR}/copyright
        DESTINATION share/doc/tessaroid)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/lintian-overrides DESTINATION share/lintian/overrides
        RENAME tessaroid)

include(${CMAKE_CURRENT_LIST_DIR}/package.cmake)

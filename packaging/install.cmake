# make install and make package: the program in bin/, what it reads in share/vexlume2/, and
# what a desktop needs to offer it (menu entry, icons, software-centre data, manual page).
# bin/ and share/ stay side by side under any prefix: the game finds its assets from its
# own path.

# The assets and icons an installed copy reads, generated into the build tree.
set(VEX_GENERATED ${CMAKE_BINARY_DIR}/generated)
add_custom_command(OUTPUT ${VEX_GENERATED}/assets.stamp
  COMMAND assetgen ${VEX_GENERATED}/assets
  COMMAND assetgen --icons ${VEX_GENERATED}/icons
  COMMAND ${CMAKE_COMMAND} -E touch ${VEX_GENERATED}/assets.stamp
  DEPENDS assetgen
  COMMENT "Generating the assets and icons to install")
add_custom_target(installed_assets ALL DEPENDS ${VEX_GENERATED}/assets.stamp)

configure_file(${CMAKE_CURRENT_LIST_DIR}/vexlume2.6.in ${VEX_GENERATED}/vexlume2.6 @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/io.github.vexlume2.metainfo.xml.in
  ${VEX_GENERATED}/io.github.vexlume2.metainfo.xml @ONLY)

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
install(TARGETS vexlume2 RUNTIME DESTINATION bin)
install(DIRECTORY ${VEX_GENERATED}/assets/gfx ${VEX_GENERATED}/assets/sounds
  ${VEX_GENERATED}/assets/music DESTINATION share/vexlume2)
install(DIRECTORY ${VEX_GENERATED}/icons/ DESTINATION share/icons/hicolor)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/vexlume2.desktop DESTINATION share/applications)
install(FILES ${VEX_GENERATED}/io.github.vexlume2.metainfo.xml DESTINATION share/metainfo)
install(FILES ${VEX_GENERATED}/vexlume2.6 DESTINATION share/man/man6)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright DESTINATION share/doc/vexlume2)

# The Debian package: installs under /usr, its dependencies read from the program's libraries.
set(VEX_MAINTAINER "The Vexlume 2 developers <vexlume2@example.org>"
  CACHE STRING "Maintainer named in the Debian package")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vexlume2)
set(CPACK_PACKAGE_VENDOR "The Vexlume 2 developers")
set(CPACK_PACKAGE_CONTACT "${VEX_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "neon arcade shooter on a rippling spring lattice")
set(CPACK_PACKAGE_DESCRIPTION
  "Steer a small ship inside a playfield drawn as a glowing lattice of
springs and shoot in any direction while ever more enemies pour in. The
lattice ripples under every shot, explosion and bomb. Keyboard, mouse and
up to four joypads; a top-ten table per difficulty and a replay of every
game.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VEX_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# SDL opens the system's OpenGL (GLX) at run time, so no library names it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.in ${VEX_GENERATED}/changelog @ONLY)
set(CPACK_VEX_CHANGELOG ${VEX_GENERATED}/changelog)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/deb-finish.cmake)
include(CPack)

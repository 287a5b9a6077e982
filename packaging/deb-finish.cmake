# Runs on the tree CPack is about to pack, and gives it Debian's shape: games in
# /usr/games (the game finds ../share/vexlume2 from there just the same) with a link in
# /usr/bin for sessions whose PATH lacks /usr/games, compressed manual pages and a changelog.
set(usr "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
if(NOT EXISTS "${usr}/bin/vexlume2")
  message(FATAL_ERROR "deb-finish: no ${usr}/bin/vexlume2 to pack")
endif()
file(MAKE_DIRECTORY "${usr}/games")
file(RENAME "${usr}/bin/vexlume2" "${usr}/games/vexlume2")
file(CREATE_LINK ../games/vexlume2 "${usr}/bin/vexlume2" SYMBOLIC)
file(GLOB pages "${usr}/share/man/man6/*.6")
foreach(page ${pages})
  execute_process(COMMAND gzip -9nf "${page}" COMMAND_ERROR_IS_FATAL ANY)
endforeach()
file(COPY_FILE "${CPACK_VEX_CHANGELOG}" "${usr}/share/doc/vexlume2/changelog")
execute_process(COMMAND gzip -9nf "${usr}/share/doc/vexlume2/changelog" COMMAND_ERROR_IS_FATAL ANY)

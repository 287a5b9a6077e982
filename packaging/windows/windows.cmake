# The Windows program: no console window of its own, the icon and version details Explorer
# shows, and every library linked in so the folder needs no DLL beside it.
set(VEX_WINDOWS_ICON "" CACHE FILEPATH "The program's .ico (make windows draws it with assetgen)")
if(NOT VEX_WINDOWS_ICON)
  message(FATAL_ERROR "VEX_WINDOWS_ICON: give the .ico to put in the program")
endif()
# SDL's pkg-config renames main to SDL_main for its own WinMain; ours is a plain main.
get_target_property(VEX_SDL_OPTIONS PkgConfig::SDL2 INTERFACE_COMPILE_OPTIONS)
list(REMOVE_ITEM VEX_SDL_OPTIONS "-Dmain=SDL_main")
set_target_properties(PkgConfig::SDL2 PROPERTIES INTERFACE_COMPILE_OPTIONS "${VEX_SDL_OPTIONS}")
string(REPLACE "." "," VEX_VERSION_COMMAS "${PROJECT_VERSION}")
configure_file(${CMAKE_SOURCE_DIR}/packaging/windows/vexlume2.rc.in ${CMAKE_BINARY_DIR}/vexlume2.rc @ONLY)
target_sources(vexlume2 PRIVATE ${CMAKE_BINARY_DIR}/vexlume2.rc)
set_target_properties(vexlume2 PROPERTIES WIN32_EXECUTABLE ON)
target_link_options(vexlume2 PRIVATE -static)

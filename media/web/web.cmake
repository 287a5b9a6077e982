# The browser build (emcmake cmake ... -DVEX_WEB_DEPS=DIR; scripts/build-web drives it): the
# game for the page, and the headless command line for node, which checks recorded games.
# VEX_WEB_DEPS holds SDL2, libpng, zlib and libopenmpt built by scripts/build-web-deps.
if(NOT VEX_WEB_DEPS)
  message(FATAL_ERROR "VEX_WEB_DEPS: the folder scripts/build-web-deps printed")
endif()
foreach(lib z png openmpt SDL2)
  add_library(web_${lib} STATIC IMPORTED)
  set_target_properties(web_${lib} PROPERTIES IMPORTED_LOCATION ${VEX_WEB_DEPS}/lib/lib${lib}.a)
endforeach()

file(GLOB CORE_SOURCES CONFIGURE_DEPENDS
  media/*.cpp shell/*.cpp playfield/*.cpp player/*.cpp enemies/*.cpp audio/*.cpp controls/*.cpp)
list(FILTER CORE_SOURCES EXCLUDE REGEX ".*/shell/main\\.cpp$")
list(APPEND CORE_SOURCES media/platform/posix.cpp)
add_library(vexlume_core STATIC ${CORE_SOURCES})
target_include_directories(vexlume_core PUBLIC ${CMAKE_SOURCE_DIR} ${VEX_WEB_DEPS}/include)
target_link_libraries(vexlume_core PUBLIC web_png web_z web_openmpt)
target_compile_definitions(vexlume_core PUBLIC VEX_VERSION="${PROJECT_VERSION}")

# The page's game: the SDL backend with the browser's own clock and frame end.
file(GLOB SDL_SOURCES CONFIGURE_DEPENDS media/sdl/*.cpp media/web/*.cpp) # web_main.cpp: main
list(FILTER SDL_SOURCES EXCLUDE REGEX ".*/media/sdl/sdl_platform\\.cpp$")
add_executable(vexlume2 ${SDL_SOURCES})
target_include_directories(vexlume2 PRIVATE ${VEX_WEB_DEPS}/include/SDL2)
target_link_libraries(vexlume2 PRIVATE vexlume_core web_SDL2)
# The shader renderer's GLSL ES 300 runs on WebGL 2 alone.
set(VEX_WEB_GL -sMIN_WEBGL_VERSION=2 -sMAX_WEBGL_VERSION=2)
file(WRITE ${CMAKE_BINARY_DIR}/library_funcs.json "[\"$autoResumeAudioContext\", \"$dynCall\"]\n")
target_link_options(vexlume2 PRIVATE
  # Each screen keeps its own loop: asyncify lets every presented frame hand the tab back.
  -sASYNCIFY=1 -sASYNCIFY_STACK_SIZE=65536
  ${VEX_WEB_GL}
  -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=67108864
  -sFORCE_FILESYSTEM=1 -lidbfs.js -sEXIT_RUNTIME=1
  -sENVIRONMENT=web
  # SDL 2.26 asks for these, which emcc 3.1.6 no longer includes by itself. Read from a file:
  # a "$" on the link line reaches emcc doubled.
  -sDEFAULT_LIBRARY_FUNCS_TO_INCLUDE=@${CMAKE_BINARY_DIR}/library_funcs.json
  "-sEXPORTED_FUNCTIONS=['_main','_web_file_dropped','_web_page_hidden','_web_state']"
  "-sEXPORTED_RUNTIME_METHODS=['FS','ccall','UTF8ToString']"
  --pre-js ${CMAKE_SOURCE_DIR}/media/web/shell.js)
set_property(TARGET vexlume2 APPEND PROPERTY LINK_DEPENDS ${CMAKE_SOURCE_DIR}/media/web/shell.js)

# The headless command line for node: `node vexlume2-node.js --verify FILE` checks a game
# recorded anywhere, with the machine's own files.
file(GLOB HEADLESS_SOURCES CONFIGURE_DEPENDS media/headless/*.cpp)
add_executable(vexlume2-node shell/main.cpp ${HEADLESS_SOURCES})
target_link_libraries(vexlume2-node PRIVATE vexlume_core)
target_link_options(vexlume2-node PRIVATE -sNODERAWFS=1 -sENVIRONMENT=node -sEXIT_RUNTIME=1
  -sALLOW_MEMORY_GROWTH=1)

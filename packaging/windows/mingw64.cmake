# Cross-compiling for 64-bit Windows with mingw-w64 (the posix thread model, for std::thread).
# The libraries come from the prefix in VEX_WINDOWS_DEPS (scripts/build-windows-deps); it is
# read from the environment so CMake's own test compiles see it too.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_AR x86_64-w64-mingw32-ar CACHE FILEPATH "")
set(CMAKE_RANLIB x86_64-w64-mingw32-ranlib CACHE FILEPATH "")

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
if(DEFINED ENV{VEX_WINDOWS_DEPS})
  # Ours first: mingw's own zlib is a DLL.
  list(PREPEND CMAKE_FIND_ROOT_PATH $ENV{VEX_WINDOWS_DEPS})
  # Static libraries: pkg-config must name what they need in turn.
  set(ENV{PKG_CONFIG_LIBDIR} $ENV{VEX_WINDOWS_DEPS}/lib/pkgconfig)
  set(ENV{PKG_CONFIG_PATH} "")
  set(PKG_CONFIG_ARGN --static)
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

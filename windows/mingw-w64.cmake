# Cross-builds the Windows programs on Debian with mingw-w64 (posix threads).
# Give Qt's and hidapi's Windows installs in CMAKE_PREFIX_PATH, for example as
# tools/build-windows.sh does:
#   cmake -DCMAKE_TOOLCHAIN_FILE=windows/mingw-w64.cmake -DCMAKE_PREFIX_PATH="QT;HIDAPI" ...
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
# Programs (Qt's moc and rcc) are the build machine's; libraries and headers
# come from the mingw root or from the prefixes given.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
# pkg-config finds only Windows libraries: those under the prefixes given.
set(ENV{PKG_CONFIG_LIBDIR} "")
set(PKG_CONFIG_USE_CMAKE_PREFIX_PATH ON)
set(CMAKE_RC_FLAGS_INIT "-c 65001") # the .rc is UTF-8

set(CMAKE_C_COMPILER ${BDA_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${BDA_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${BDA_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${BDA_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# No MinGW DLL beside the program: everything linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

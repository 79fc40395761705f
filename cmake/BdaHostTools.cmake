# The tools that a cross build runs while it builds (the module compiler), built for the
# build host from the same sources: this project configured a second time with the host's
# compiler (the native preset's clang, whose warnings that build already keeps at zero), as a
# plain native build of its platform-free code, and only those tools built.
include(ExternalProject)
set(BDA_HOST_DIR ${CMAKE_BINARY_DIR}/host)
set(BDA_MLSC_HOST ${BDA_HOST_DIR}/tools/mlsc/mlsc)
ExternalProject_Add(mlsc_host
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${BDA_HOST_DIR}
  PREFIX ${CMAKE_BINARY_DIR}/host-stamp
  CMAKE_GENERATOR Ninja
  CMAKE_ARGS -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=Release
             -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DBDA_TESTS=OFF -DBDA_HOST_TOOLS=ON
  BUILD_COMMAND ${CMAKE_COMMAND} --build ${BDA_HOST_DIR} --target mlsc
  BUILD_BYPRODUCTS ${BDA_MLSC_HOST}
  BUILD_ALWAYS ON
  INSTALL_COMMAND "")

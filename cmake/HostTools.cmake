# The skin compiler and the byte-block packer run on the build host. In a
# cross build they come from a nested host build of this same tree.
if(CMAKE_CROSSCOMPILING)
  include(ExternalProject)
  set(_host_dir ${CMAKE_BINARY_DIR}/host-tools)
  ExternalProject_Add(host_tools
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${_host_dir}
    CMAKE_ARGS -DSPACEVISIT_HOST_TOOLS_ONLY=ON -DCMAKE_BUILD_TYPE=Release
    BUILD_COMMAND ${CMAKE_COMMAND} --build ${_host_dir}
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${_host_dir}/tools/skinc ${_host_dir}/tools/blockpack)
  set(SPACEVISIT_SKINC ${_host_dir}/tools/skinc)
  set(SPACEVISIT_BLOCKPACK ${_host_dir}/tools/blockpack)
  set(SPACEVISIT_HOST_TOOLS_TARGET host_tools)
else()
  set(SPACEVISIT_SKINC $<TARGET_FILE:skinc>)
  set(SPACEVISIT_BLOCKPACK $<TARGET_FILE:blockpack>)
  set(SPACEVISIT_HOST_TOOLS_TARGET skinc blockpack)
endif()

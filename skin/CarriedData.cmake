# skin_add_carried_data(<target> [ENGINE <file>] [SKINS <files>...] [DEPENDS <targets or files>...])
# A static library carrying the engine library file as a run of one byte
# block and the skin files as a run of blocks, in the order given, with the
# accessors of skin/carried_data.h. The runs are packed by blockpack at build
# time and embedded with .incbin. ENGINE and SKINS may be generator
# expressions; an empty one carries an empty run.

function(skin_add_carried_data target)
  cmake_parse_arguments(ARG "" "" "ENGINE;SKINS;DEPENDS" ${ARGN})
  set(SKIN_SOURCE_DIR ${PROJECT_SOURCE_DIR}/skin)
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/${target}_runs)
  set(SKIN_ENGINE_RUN ${dir}/engine.blocks)
  set(SKIN_SKIN_RUN ${dir}/skins.blocks)

  # The packer: a target of this build, or of the nested host build.
  if(TARGET blockpack)
    set(packer_target blockpack)
  else()
    set(packer_target ${SPACEVISIT_HOST_TOOLS_TARGET})
  endif()

  add_custom_command(OUTPUT ${SKIN_ENGINE_RUN}
    COMMAND ${SPACEVISIT_BLOCKPACK} ${SKIN_ENGINE_RUN} ${ARG_ENGINE}
    DEPENDS ${packer_target} ${ARG_ENGINE} ${ARG_DEPENDS}
    COMMENT "Packing the skin engine library for ${target}"
    COMMAND_EXPAND_LISTS VERBATIM)
  add_custom_command(OUTPUT ${SKIN_SKIN_RUN}
    COMMAND ${SPACEVISIT_BLOCKPACK} ${SKIN_SKIN_RUN} ${ARG_SKINS}
    DEPENDS ${packer_target} ${ARG_SKINS} ${ARG_DEPENDS}
    COMMENT "Packing the skin catalogue for ${target}"
    COMMAND_EXPAND_LISTS VERBATIM)

  configure_file(${SKIN_SOURCE_DIR}/carried_runs.cpp.in ${dir}/carried_runs.cpp @ONLY)
  # .incbin is invisible to the compiler's dependency scan.
  set_source_files_properties(${dir}/carried_runs.cpp PROPERTIES
    OBJECT_DEPENDS "${SKIN_ENGINE_RUN};${SKIN_SKIN_RUN}")
  add_library(${target} STATIC ${dir}/carried_runs.cpp ${SKIN_SOURCE_DIR}/carried_data.cpp)
  target_link_libraries(${target} PUBLIC skin_core)
endfunction()

# Each library sees only the folders of the libraries it links. A library's
# headers are included as "<folder>/<name>.h"; instead of the whole source
# tree, each library offers a folder of its own in the build tree that holds
# one link, <folder> -> the source folder. So an include of a layer the
# library does not link (engine/ including files/) fails to build.
set(QUARNEL_LAYER_DIR ${PROJECT_BINARY_DIR}/layers)

# quarnel_layer(<target> <folder> [INTERFACE]): <target>'s headers are those
# in <folder> (relative to the source tree, e.g. ui/rules).
function(quarnel_layer target folder)
  set(root ${QUARNEL_LAYER_DIR}/${target})
  get_filename_component(parent ${root}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  if(ARGV2 STREQUAL "INTERFACE")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()

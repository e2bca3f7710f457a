# The layers of the project as the build sees them. Every source includes by folder
# ("modifiers/Modifier.h"), so a library with the project's root on its include path could include
# any folder at all. Instead each folder gets an include path of its own in the build tree holding a
# link to that folder alone: a library sees its own folder and, through the libraries it links, the
# folders below it, so an include that runs up the layers does not compile.

# Shows `folder` (a folder of the project, "core" or "tools/headless") to `target` and to whatever
# links it.
function(ostrel_show_folder target folder)
  set(path ${CMAKE_BINARY_DIR}/include/${folder})
  get_filename_component(parent ${path}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  file(REMOVE ${path}/${folder})
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${path}/${folder} SYMBOLIC)
  target_include_directories(${target} PUBLIC ${path})
  set_property(TARGET ${target} PROPERTY OSTREL_FOLDER ${folder})
  set_property(GLOBAL APPEND PROPERTY OSTREL_LAYERED_TARGETS ${target})
endfunction()

# ostrel_subsystem(NAME [USES LOWER...]): the static library ostrel_NAME of the folder NAME, built
# on the subsystems it names, each with everything below it. The folder lists its own sources.
function(ostrel_subsystem name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "USES")
  add_library(ostrel_${name} STATIC)
  ostrel_show_folder(ostrel_${name} ${name})
  list(TRANSFORM arg_USES PREPEND ostrel_)
  target_link_libraries(ostrel_${name} PUBLIC ${arg_USES})
endfunction()

# Called once every library is declared: fails the configuration when a layered library has a
# folder of the source tree on its include path (it would see every folder), or when the folders'
# libraries link in a circle (two folders would each see the other).
function(ostrel_check_layers)
  get_property(targets GLOBAL PROPERTY OSTREL_LAYERED_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(folder ${target} OSTREL_FOLDER)
    foreach(property INCLUDE_DIRECTORIES INTERFACE_INCLUDE_DIRECTORIES)
      get_target_property(paths ${target} ${property})
      foreach(path IN LISTS paths)
        cmake_path(IS_PREFIX PROJECT_SOURCE_DIR "${path}" NORMALIZE in_sources)
        cmake_path(IS_PREFIX CMAKE_BINARY_DIR "${path}" NORMALIZE in_build)
        if(in_sources AND NOT in_build)
          message(FATAL_ERROR "${target} has ${path} on its include path, which shows it folders above "
                              "its own; link the library of the folder it needs instead")
        endif()
      endforeach()
    endforeach()
    # The folders this folder's libraries link directly.
    get_target_property(links ${target} LINK_LIBRARIES)
    foreach(link IN LISTS links)
      if(link IN_LIST targets)
        get_target_property(below ${link} OSTREL_FOLDER)
        if(NOT below STREQUAL folder)
          set_property(GLOBAL APPEND PROPERTY OSTREL_USES_${folder} ${below})
        endif()
      endif()
    endforeach()
  endforeach()
  # A folder that reaches itself through the folders it uses sits above itself.
  foreach(target IN LISTS targets)
    get_target_property(folder ${target} OSTREL_FOLDER)
    get_property(reached GLOBAL PROPERTY OSTREL_USES_${folder})
    set(seen)
    while(reached)
      list(POP_FRONT reached next)
      if(next STREQUAL folder)
        message(FATAL_ERROR "${folder}/ uses a folder that uses ${folder}/: the layers run in a circle")
      endif()
      if(NOT next IN_LIST seen)
        list(APPEND seen ${next})
        get_property(more GLOBAL PROPERTY OSTREL_USES_${next})
        list(APPEND reached ${more})
      endif()
    endwhile()
  endforeach()
endfunction()

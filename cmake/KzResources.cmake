# kz_add_resources(target rcfile [SYMBOL name] [INCLUDE_DIRS dir...])
# Compiles a resource script with kzrc into a C++ source that defines the exported
# resource table (`kzResourceTable` unless SYMBOL names another) and adds it to target.
# Must be called in the directory that defines target, so the generating rule is
# attached to it. Files the script includes or reads (resource.h, bitmaps) are tracked
# through a dependency file.
include_guard(GLOBAL)

if(NOT TARGET kzrc)
  add_subdirectory(${PROJECT_SOURCE_DIR}/tools/rc ${CMAKE_BINARY_DIR}/tools/rc)
endif()

function(kz_add_resources target rcfile)
  cmake_parse_arguments(KZRES "" "SYMBOL" "INCLUDE_DIRS" ${ARGN})
  if(NOT KZRES_SYMBOL)
    set(KZRES_SYMBOL kzResourceTable)
  endif()
  get_filename_component(_rc ${rcfile} ABSOLUTE)
  get_filename_component(_stem ${_rc} NAME_WE)
  set(_out ${CMAKE_CURRENT_BINARY_DIR}/kzres/${target}_${_stem}.cpp)
  set(_includes "")
  foreach(_dir ${KZRES_INCLUDE_DIRS})
    get_filename_component(_abs ${_dir} ABSOLUTE)
    list(APPEND _includes -I ${_abs})
  endforeach()
  add_custom_command(
    OUTPUT ${_out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/kzres
    COMMAND kzrc ${_includes} --symbol ${KZRES_SYMBOL} --depfile ${_out}.d -o ${_out} ${_rc}
    DEPENDS kzrc ${_rc}
    DEPFILE ${_out}.d
    COMMENT "Compiling resources ${rcfile}"
    VERBATIM)
  target_sources(${target} PRIVATE ${_out})
  target_include_directories(${target} PRIVATE
    $<TARGET_PROPERTY:win32,INTERFACE_INCLUDE_DIRECTORIES>)
endfunction()

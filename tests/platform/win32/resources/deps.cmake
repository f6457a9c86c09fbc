# The tests reach private headers of the win32 library (the module record a handle
# points at) to build module handles without the loader, drive the resource compiler
# directly, load the module's resource libraries, and carry a resource table of their
# own compiled from data/sample.rc.
include(${PROJECT_SOURCE_DIR}/cmake/KzResources.cmake)
set(KZ_TEST_DEPS kzrc_lib ${CMAKE_DL_LIBS})
target_include_directories(${_name} PRIVATE ${PROJECT_SOURCE_DIR}/platform/win32/src)
kz_add_resources(${_name} ${CMAKE_CURRENT_LIST_DIR}/data/sample.rc SYMBOL kzTestResources)
add_dependencies(${_name} KzDim_resources KzDim_1033)

# The module tests load the libraries of tests/support/testlib at run time and look at
# the module records behind the handles.
add_dependencies(${_name} KzTestLib KzTestPlain)
target_include_directories(${_name} PRIVATE ${PROJECT_SOURCE_DIR}/platform/win32/src
                                           ${CMAKE_CURRENT_SOURCE_DIR}/support/testlib)

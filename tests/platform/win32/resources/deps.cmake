# The tests reach private headers of the win32 library (the module record a handle
# points at) to build module handles without the loader.
target_include_directories(${_name} PRIVATE ${PROJECT_SOURCE_DIR}/platform/win32/src)

# The dialog tests open the module's dialog templates from its resource-only library.
add_dependencies(${_name} KzDim_resources)
target_include_directories(${_name} PRIVATE ${PROJECT_SOURCE_DIR}/kzdim/res)

# The runtime tests load the test applications through the host's dynamic linker.
add_dependencies(${_name} KzEdTest KzEdRefuse KzTestPlain)
target_link_libraries(${_name} PRIVATE acad_app)

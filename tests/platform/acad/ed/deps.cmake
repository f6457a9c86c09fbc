# The runtime tests load the test applications through the host's dynamic linker.
add_dependencies(${_name} KzEdTest KzEdRefuse KzTestPlain)

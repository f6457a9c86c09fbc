# The module's view of the host add-in's services, checked against the add-in itself.
set(KZ_TEST_DEPS Kelto DeZeza Tovix)
target_include_directories(${_name} PRIVATE ${PROJECT_SOURCE_DIR}/kzdim)

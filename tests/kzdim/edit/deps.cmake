# Pure parts of the module, tested by linking the module itself.
set(KZ_TEST_DEPS KzDim DeZeza Tovix)
target_include_directories(${_name} PRIVATE ${PROJECT_SOURCE_DIR}/kzdim)

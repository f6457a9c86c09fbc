# The tests call Kelto's inner working directly and load Kelto.arx (with its bundled
# ini files beside it) through the host's dynamic linker.
set(KZ_TEST_DEPS Kelto DeZeza Tovix)

set(KZ_TEST_DEPS DeZeza Tovix)

set(KZ_TEST_DEPS Tovix)

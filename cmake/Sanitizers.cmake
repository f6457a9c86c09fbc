if(KZ_SANITIZE)
  set(_kz_san -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_compile_options(${_kz_san})
  add_link_options(${_kz_san})
endif()

# The fuzz build: every library carries libFuzzer's coverage hooks and both sanitizers;
# only the targets in fuzz/ link libFuzzer's driver.
if(KZ_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "KZ_FUZZ needs clang: CC=clang CXX=clang++ cmake -DKZ_FUZZ=ON ...")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined
                      -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  # The gcc build holds the warnings to -Werror; clang's own extra ones stay warnings.
  add_compile_options(-Wno-error -Wno-inconsistent-missing-override)
  add_link_options(-fsanitize=address,undefined)
endif()

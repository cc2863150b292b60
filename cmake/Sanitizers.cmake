# SABLEWING_SANITIZE=ON builds everything with AddressSanitizer and UndefinedBehaviorSanitizer;
# CI builds this way and runs every test under them.
option(SABLEWING_SANITIZE "Build with ASan + UBSan" OFF)
# SABLEWING_FUZZ=ON (clang only; `cmake --preset fuzz`) builds everything with the fuzzer's coverage
# and ASan + UBSan, and links the harnesses of fuzz/ with libFuzzer.
option(SABLEWING_FUZZ "Build the fuzzing harnesses with libFuzzer (clang)" OFF)

if(SABLEWING_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "SABLEWING_FUZZ needs clang and libFuzzer (Debian packages clang-14 and libclang-rt-14-dev): "
                        "configure with `cmake --preset fuzz`")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
elseif(SABLEWING_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

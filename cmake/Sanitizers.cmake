# SABLEWING_SANITIZE=ON builds everything with AddressSanitizer and UndefinedBehaviorSanitizer;
# CI builds this way and runs every test under them.
option(SABLEWING_SANITIZE "Build with ASan + UBSan" OFF)
if(SABLEWING_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# What each compiler needs beyond the standard: the tree builds with g++ and with clang alike.
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  # The sized forms of operator delete (the project-file entries give their storage back with
  # them) are declared by clang only when asked; g++ declares them in C++14 and later.
  add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-fsized-deallocation>)
endif()

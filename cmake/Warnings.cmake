# Warnings are on for every target and the tree builds clean with them.
add_compile_options(-Wall -Wextra)
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  # The MFC-style classes hide base-class overloads by design (CFrameWnd::Create beside
  # CWnd::Create), as the platform's own headers do.
  add_compile_options(-Wno-overloaded-virtual)
endif()
if(SABLEWING_WERROR)
  add_compile_options(-Werror)
endif()

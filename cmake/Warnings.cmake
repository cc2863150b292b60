# Warnings are on for every target and the tree builds clean with them.
add_compile_options(-Wall -Wextra)
if(SABLEWING_WERROR)
  add_compile_options(-Werror)
endif()

# Warnings for every target of the project; CI turns them into errors.
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion
                    -Wnon-virtual-dtor -Woverloaded-virtual)
if(KEYHAVEN_WERROR)
  add_compile_options(-Werror)
endif()

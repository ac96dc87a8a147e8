# Warning and sanitizer flags shared by every target of the project.
function(lyricast_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wcast-qual)
  if(LYRICAST_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

if(LYRICAST_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

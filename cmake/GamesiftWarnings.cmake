# Warnings are errors in our own code only; GoogleTest and system headers stay out of it.
function(gamesift_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()

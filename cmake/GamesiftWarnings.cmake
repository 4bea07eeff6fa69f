# Warnings are errors in our own code only; GoogleTest and system headers stay out of it.
function(gamesift_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  # GCC 12 reports string concatenation in optimised builds as overlapping copies (GCC bug
  # 105651); the warning is wrong there, and as an error it would stop release builds.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
endfunction()

# Warnings as errors on every target of the project. -Wconversion catches
# the silent narrowing that fixed-point code is most prone to.
function(cclp_apply_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /WX)
  else()
    target_compile_options(${target} PRIVATE
      -Wall -Wextra -Wpedantic -Wconversion -Wsign-conversion -Wshadow -Werror)
  endif()
endfunction()

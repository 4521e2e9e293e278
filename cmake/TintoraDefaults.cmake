# Floating point: every effect's bytes depend on each rounding step, so a
# multiply and an add are never fused and no fast-math shortcut is taken.
add_compile_options(-ffp-contract=off -fno-fast-math)

if(TINTORA_FUZZ)
  # Coverage for the fuzzer in every object; the fuzzer's own main only in its targets.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
elseif(TINTORA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# Warnings are errors on the project's own code only, never on headers of
# the libraries it uses.
function(tintora_target target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()

function(tintora_library target)
  add_library(${target} STATIC ${ARGN})
  tintora_target(${target})
endfunction()

# Compile options shared by the library, its tests, examples and benchmarks.
include(GNUInstallDirs)

function(vymath_apply_compile_options target)
    if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
        # Results must not depend on the CPU: no contraction into fused multiply-add, no fast-math.
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -ffp-contract=off
                                                 $<$<BOOL:${VYMATH_WARNINGS_AS_ERRORS}>:-Werror>)
    elseif(MSVC)
        target_compile_options(${target} PRIVATE /W4 /fp:precise $<$<BOOL:${VYMATH_WARNINGS_AS_ERRORS}>:/WX>)
    endif()
    if(VYMATH_BUILD_FUZZERS)
        # Coverage for libFuzzer everywhere; the fuzz executables add the fuzzer runtime themselves.
        target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link,address,undefined
                                                 -fno-sanitize-recover=all -fno-omit-frame-pointer)
        target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    elseif(VYMATH_SANITIZE_THREAD)
        target_compile_options(${target} PRIVATE -fsanitize=thread -fno-omit-frame-pointer)
        target_link_options(${target} PRIVATE -fsanitize=thread)
    elseif(VYMATH_SANITIZE)
        target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-sanitize-recover=all
                                                 -fno-omit-frame-pointer)
        target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endif()
endfunction()

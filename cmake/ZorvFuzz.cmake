# ZORV_FUZZ builds the libFuzzer targets in fuzz/ (clang only; `make fuzz` configures build-fuzz
# for it). Every target of that build folder is instrumented for coverage with AddressSanitizer and
# UndefinedBehaviorSanitizer; only the fuzzers link libFuzzer's main(). UBSan's `function` check is
# left out: with clang 14's coverage instrumentation it cannot build coroutine code ("Cannot
# represent a difference across sections").
option(ZORV_FUZZ "Build the libFuzzer targets in fuzz/ (clang)" OFF)

if(ZORV_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "ZORV_FUZZ needs clang (configure with -DCMAKE_CXX_COMPILER=clang++)")
    endif()
    if(ZORV_SANITIZE)
        message(FATAL_ERROR "ZORV_FUZZ brings its own sanitizers; leave ZORV_SANITIZE empty")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize=function
                        -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined -fno-sanitize=function)
endif()

# ZORV_SANITIZE instruments every target of the build folder:
#   address  AddressSanitizer with UndefinedBehaviorSanitizer (leak detection on at run time)
#   thread   ThreadSanitizer
# `make sanitize` configures one folder for each (build-asan, build-tsan) and runs the whole suite.
set(ZORV_SANITIZE "" CACHE STRING "Instrument the build: address (ASan + UBSan) or thread (TSan)")
set_property(CACHE ZORV_SANITIZE PROPERTY STRINGS "" address thread)

if(ZORV_SANITIZE STREQUAL "address")
    set(zorv_sanitizers address,undefined)
elseif(ZORV_SANITIZE STREQUAL "thread")
    set(zorv_sanitizers thread)
elseif(NOT ZORV_SANITIZE STREQUAL "")
    message(FATAL_ERROR "ZORV_SANITIZE must be address or thread, not '${ZORV_SANITIZE}'")
endif()

if(zorv_sanitizers)
    # Any undefined behaviour fails the run instead of printing a line and going on.
    add_compile_options(-fsanitize=${zorv_sanitizers} -fno-sanitize-recover=all
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=${zorv_sanitizers})
endif()

# Helpers that keep each library's and test suite's CMake file to a few lines. Sources are picked up
# from the named folder (not its subfolders, which are libraries or suites of their own) so that
# adding a class needs no CMake edit; CONFIGURE_DEPENDS re-globs on every build.

# zorv_add_library(name folder [RECURSIVE] LIBS libraries...): RECURSIVE also takes the feature
# subfolders; LIBS are linked publicly. A folder without sources yet adds no target, one with
# headers only an interface target.
function(zorv_add_library name folder)
    cmake_parse_arguments(arg "RECURSIVE" "" "LIBS" ${ARGN})
    if(arg_RECURSIVE)
        file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${folder}/*.cpp" "${folder}/*.h")
    else()
        file(GLOB sources CONFIGURE_DEPENDS "${folder}/*.cpp" "${folder}/*.h")
    endif()
    if(NOT sources)
        return()
    endif()
    set(compiled ${sources})
    list(FILTER compiled INCLUDE REGEX "\\.cpp$")
    if(compiled)
        add_library(${name} STATIC)
        target_sources(${name} PRIVATE ${sources})
        target_include_directories(${name} PUBLIC "${folder}")
        target_link_libraries(${name} PUBLIC ${arg_LIBS})
    else()
        # Interfaces only so far.
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE "${folder}")
        target_link_libraries(${name} INTERFACE ${arg_LIBS})
    endif()
endfunction()

# One GoogleTest executable per library or area, every case registered with CTest at test time.
# zorv_add_test_suite(name folder [RECURSIVE] LIBS libraries...)
function(zorv_add_test_suite name folder)
    cmake_parse_arguments(arg "RECURSIVE" "" "LIBS" ${ARGN})
    if(arg_RECURSIVE)
        file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${folder}/*.cpp" "${folder}/*.h")
    else()
        file(GLOB sources CONFIGURE_DEPENDS "${folder}/*.cpp" "${folder}/*.h")
    endif()
    if(NOT sources)
        return()
    endif()
    add_executable(${name} ${sources})
    target_link_libraries(${name} PRIVATE ZorvTestSupport ${arg_LIBS})
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
        TEST_PREFIX "${name}.")
endfunction()

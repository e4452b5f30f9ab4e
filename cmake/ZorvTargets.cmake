# Helpers that keep each library's and test suite's CMake file to a few lines. Sources are picked up
# from the named folder (and its feature subfolders where asked) so that adding a class needs no
# CMake edit; CONFIGURE_DEPENDS re-globs on every build.

# Sets `out` to the .h and .cpp files of `folder`, and of its subfolders when `recursive` is true.
function(zorv_collect_sources out folder recursive)
    if(recursive)
        file(GLOB_RECURSE found CONFIGURE_DEPENDS "${folder}/*.cpp" "${folder}/*.h")
    else()
        file(GLOB found CONFIGURE_DEPENDS "${folder}/*.cpp" "${folder}/*.h")
    endif()
    set(${out} ${found} PARENT_SCOPE)
endfunction()

# zorv_add_library(name folder [RECURSIVE] LIBS libraries...): RECURSIVE also takes the feature
# subfolders; LIBS are linked publicly.
function(zorv_add_library name folder)
    cmake_parse_arguments(arg "RECURSIVE" "" "LIBS" ${ARGN})
    zorv_collect_sources(sources "${folder}" ${arg_RECURSIVE})
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC "${folder}")
    target_link_libraries(${name} PUBLIC ${arg_LIBS})
endfunction()

# One GoogleTest executable per library or area, every case registered with CTest at test time.
# zorv_add_test_suite(name folder [RECURSIVE] LIBS libraries...)
function(zorv_add_test_suite name folder)
    cmake_parse_arguments(arg "RECURSIVE" "" "LIBS" ${ARGN})
    zorv_collect_sources(sources "${folder}" ${arg_RECURSIVE})
    add_executable(${name} ${sources})
    target_link_libraries(${name} PRIVATE ZorvTestSupport ${arg_LIBS})
    # Parameterised cases carry readable names from their name generators; NO_PRETTY_VALUES keeps
    # CTest from appending each parameter's raw bytes to them.
    gtest_discover_tests(${name}
        NO_PRETTY_VALUES
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
        TEST_PREFIX "${name}.")
endfunction()

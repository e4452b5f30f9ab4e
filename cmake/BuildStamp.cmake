# Writes the build stamp (commit, subject, commit time, branch, build time) read from the git
# repository at SOURCE_DIR into OUTPUT. Run at every build with `cmake -P`; it never fails: without
# git or a repository (a build from a tarball) it writes an empty file, which the application reads
# as "no stamp" and shows its fall-back values for. The file is only rewritten when the commit facts
# change, so an unchanged tree does not relink.
function(stamp_git out)
    execute_process(COMMAND git ${ARGN}
        WORKING_DIRECTORY "${SOURCE_DIR}"
        RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_QUIET
        OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(result EQUAL 0)
        set(${out} "${output}" PARENT_SCOPE)
    else()
        set(${out} "" PARENT_SCOPE)
    endif()
endfunction()

function(json_escape out text)
    string(REPLACE "\\" "\\\\" text "${text}")
    string(REPLACE "\"" "\\\"" text "${text}")
    string(REPLACE "\t" "\\t" text "${text}")
    string(REPLACE "\r" "" text "${text}")
    string(REPLACE "\n" " " text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

set(facts "")
find_program(GIT_PROGRAM git)
if(GIT_PROGRAM)
    stamp_git(sha rev-parse --short=12 HEAD)
endif()
if(GIT_PROGRAM AND sha)
    stamp_git(subject log -1 --format=%s)
    stamp_git(committed log -1 --format=%cI)
    stamp_git(branch rev-parse --abbrev-ref HEAD)
    stamp_git(changes status --porcelain --untracked-files=no)
    if(changes)
        string(APPEND sha "+")
    endif()
    if(NOT branch)
        set(branch "unknown")
    endif()
    json_escape(subject "${subject}")
    json_escape(branch "${branch}")
    set(facts "\"branch\": \"${branch}\", \"committed\": \"${committed}\", \"sha\": \"${sha}\", \"subject\": \"${subject}\"")
endif()

set(previous "")
if(EXISTS "${OUTPUT}")
    file(READ "${OUTPUT}" previous)
endif()
if(facts STREQUAL "")
    if(NOT previous STREQUAL "" OR NOT EXISTS "${OUTPUT}")
        file(WRITE "${OUTPUT}" "")
    endif()
else()
    # The same facts keep the file, and its build time.
    string(FIND "${previous}" "{${facts}, \"built_at\": " at)
    if(NOT at EQUAL 0)
        string(TIMESTAMP built_at "%Y-%m-%dT%H:%M:%SZ" UTC)
        file(WRITE "${OUTPUT}" "{${facts}, \"built_at\": \"${built_at}\"}\n")
    endif()
endif()

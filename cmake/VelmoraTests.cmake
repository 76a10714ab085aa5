# One test executable per test source file, so a test file is built and run on its own.
# velmora_add_test_dir(<folder under tests/> <libraries...>)
function(velmora_add_test_dir folder)
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${folder}/*_test.cpp)
    foreach(source IN LISTS sources)
        get_filename_component(stem ${source} NAME_WE)
        set(target ${folder}_${stem})
        add_executable(${target} ${source})
        target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tests)
        target_link_libraries(${target} PRIVATE ${ARGN})
        set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
        add_test(NAME ${target} COMMAND ${target} WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
        set_tests_properties(${target} PROPERTIES ENVIRONMENT
            "QT_QPA_PLATFORM=offscreen;VELMORA_SOURCE_DIR=${CMAKE_SOURCE_DIR};VELMORA_RUNTIME_DIR=${VELMORA_RUNTIME_DIR}")
        velmora_label_test(${target} ${folder})
    endforeach()
endfunction()

# velmora_label_test(<test> <folder under tests/>)
# The label says which part a test exercises, so `ctest -L window` (or -LE window) selects it:
# core (the libraries below the window), cli (velmora-cli), window (the Qt window), python.
# The timeout is many times a test's usual time: a hung test fails instead of stalling the run.
# Sanitizer builds run several times slower and get timeouts as many times longer.
if(VELMORA_SANITIZE OR VELMORA_SANITIZE_THREAD)
    set(VELMORA_TIMEOUT_SCALE 6)
else()
    set(VELMORA_TIMEOUT_SCALE 1)
endif()

function(velmora_label_test test folder)
    if(folder STREQUAL "app")
        set(label cli)
        set(timeout 300)
    elseif(folder STREQUAL "ui")
        set(label window)
        set(timeout 300)
    elseif(folder STREQUAL "python")
        set(label python)
        set(timeout 300)
    else()
        set(label core)
        set(timeout 120)
    endif()
    math(EXPR timeout "${timeout} * ${VELMORA_TIMEOUT_SCALE}")
    set_tests_properties(${test} PROPERTIES LABELS ${label} TIMEOUT ${timeout})
endfunction()

# velmora_mark_slow(<test>...)
# Tests that take tens of seconds on the two-core machine get the extra label `slow`
# (`ctest -LE slow` for a quick run) and a longer timeout.
function(velmora_mark_slow)
    foreach(test IN LISTS ARGN)
        if(TEST ${test})
            get_test_property(${test} LABELS labels)
            math(EXPR timeout "900 * ${VELMORA_TIMEOUT_SCALE}")
            set_tests_properties(${test} PROPERTIES LABELS "${labels};slow" TIMEOUT ${timeout})
        endif()
    endforeach()
endfunction()

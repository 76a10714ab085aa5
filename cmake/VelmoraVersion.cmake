# velmora_embed_version(<target>): embeds the version block that TVersionInfoResource reads
# (release "a.b.c.d" and the version strings) in <target>, generated from the project version.
set(VELMORA_VERSION_TEMPLATE ${CMAKE_CURRENT_LIST_DIR}/version_block.cpp.in)

function(velmora_embed_version target)
    foreach(part MAJOR MINOR PATCH TWEAK)
        set(value "${Velmora_VERSION_${part}}")
        if(value STREQUAL "")
            set(value 0)
        endif()
        if(value GREATER 65535)
            message(FATAL_ERROR "Version part ${part} (${value}) does not fit 16 bits")
        endif()
        set(VELMORA_VERSION_${part} ${value})
    endforeach()
    set(VELMORA_VERSION_TEXT
        "${VELMORA_VERSION_MAJOR}.${VELMORA_VERSION_MINOR}.${VELMORA_VERSION_PATCH}.${VELMORA_VERSION_TWEAK}")
    set(VELMORA_ORIGINAL_FILENAME "$<TARGET_FILE_NAME:${target}>")
    set(generated ${CMAKE_BINARY_DIR}/generated/${target}_version_block.cpp)
    configure_file(${VELMORA_VERSION_TEMPLATE} ${generated}.in @ONLY)
    # The file name is known only at generation time.
    file(GENERATE OUTPUT ${generated} INPUT ${generated}.in)
    target_sources(${target} PRIVATE ${generated})
endfunction()

# The VERSIONINFO resource of a Windows executable: product name, file and product version from
# the project's version, a description, and the copyright line of LICENSE (its holders as the
# company). Explorer's properties and Apps & features read it.

file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE MORAVEL_COPYRIGHT REGEX "^Copyright " LIMIT_COUNT 1)
if(NOT MORAVEL_COPYRIGHT MATCHES "^Copyright \\(c\\) [0-9-]+ (.+)$")
    message(FATAL_ERROR "LICENSE has no line 'Copyright (c) YEARS HOLDERS'")
endif()
set(MORAVEL_AUTHORS "${CMAKE_MATCH_1}")

# target: an executable; description: what Explorer shows as its description.
function(moravel_version_resource target description)
    get_target_property(internal_name ${target} OUTPUT_NAME)
    if(NOT internal_name)
        set(internal_name ${target})
    endif()
    set(file_name ${internal_name}${CMAKE_EXECUTABLE_SUFFIX})
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}-version.rc)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/VersionInfo.rc.in ${rc} @ONLY)
    target_sources(${target} PRIVATE ${rc})
endfunction()

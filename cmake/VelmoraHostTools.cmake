# Programs built for the build machine itself (the rest of the project is cross-compiled for Windows).
find_program(VELMORA_HOST_CXX NAMES g++ c++ REQUIRED)

# velmora_host_executable(<target> OUTPUT <file> SOURCES <file>... [DEPENDS <file>...])
# Compiles and links the sources with the host C++ compiler into OUTPUT; the custom target <target>
# builds it and rebuilds it when a source or one of DEPENDS (the headers) changes.
function(velmora_host_executable target)
  cmake_parse_arguments(H "" "OUTPUT" "SOURCES;DEPENDS" ${ARGN})
  # The compiler runs in the binary folder: relative source paths are made absolute here.
  set(sources)
  foreach(source ${H_SOURCES})
    cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
    list(APPEND sources ${source})
  endforeach()
  add_custom_command(OUTPUT ${H_OUTPUT}
    COMMAND ${VELMORA_HOST_CXX} -std=c++20 -O2 -Wall -Wextra -Werror -I${PROJECT_SOURCE_DIR}
            ${sources} -o ${H_OUTPUT}
    DEPENDS ${sources} ${H_DEPENDS}
    COMMENT "Building host program ${target}"
    VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${H_OUTPUT})
endfunction()

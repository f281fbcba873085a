# What the end-to-end tests put beside the programs of a target: the fixtures (programs that
# exist only to drive the frame into its failure paths; never shipped), the probe DLL and, in the
# 32-bit build, the hook host through which the 64-bit tests put the 32-bit probe into a program
# and the clipboard agent through which they exchange bitmaps with a 32-bit program.
# The 64-bit build includes this from tests/CMakeLists.txt; the 32-bit build, which has no tests of
# its own, includes it alone.
set(AGENT_DIR ${CMAKE_CURRENT_LIST_DIR})
set(AGENT_BIN ${CMAKE_BINARY_DIR}/tests)

# Programs that exist only to drive the frame into its failure paths; they are never shipped.
function(add_fixture name)
    file(GLOB rc CONFIGURE_DEPENDS ${AGENT_DIR}/fixtures/${name}.rc)
    add_executable(${name} WIN32 ${AGENT_DIR}/fixtures/${name}.cpp ${rc})
    target_link_libraries(${name} PRIVATE frame runtime suite_flags suite_program_link)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${AGENT_BIN}/fixtures)
endfunction()

file(GLOB fixtures CONFIGURE_DEPENDS ${AGENT_DIR}/fixtures/*.cpp)
foreach(f ${fixtures})
    get_filename_component(n ${f} NAME_WE)
    add_fixture(${n})
endforeach()

# The probe: loaded into a program's process by a message hook, it answers questions that only
# that process can answer (its menus).
# Its sources are harness/probe*.cpp: the dispatch in probe.cpp and one file per kind of question.
file(GLOB probe_sources CONFIGURE_DEPENDS ${AGENT_DIR}/harness/probe*.cpp)
add_library(probe SHARED ${probe_sources})
target_compile_definitions(probe PRIVATE UNICODE _UNICODE)
target_compile_options(probe PRIVATE -Wall -Wextra -Werror)
target_link_libraries(probe PRIVATE gdi32 winspool)
# The layout of the message traces it records (tools/trace).
target_include_directories(probe PRIVATE ${PROJECT_SOURCE_DIR}/tools/trace)
# Plain export names in the 32-bit build too, where stdcall names would be decorated.
target_link_options(probe PRIVATE -static -s -Wl,--kill-at)
set_target_properties(probe PROPERTIES PREFIX "" RUNTIME_OUTPUT_DIRECTORY ${AGENT_BIN})


if(CMAKE_SYSTEM_PROCESSOR STREQUAL i686)
    add_executable(hook_host WIN32 ${AGENT_DIR}/agents/hook_host.cpp)
    target_compile_definitions(hook_host PRIVATE UNICODE _UNICODE)
    target_include_directories(hook_host PRIVATE ${AGENT_DIR})
    target_compile_options(hook_host PRIVATE -Wall -Wextra -Werror)
    target_link_options(hook_host PRIVATE -static -s -municode)
    set_target_properties(hook_host PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${AGENT_BIN})
    add_dependencies(hook_host probe)

    add_executable(clip_agent ${AGENT_DIR}/agents/clip_agent.cpp)
    target_include_directories(clip_agent PRIVATE ${AGENT_DIR})
    target_compile_options(clip_agent PRIVATE -Wall -Wextra -Werror)
    target_link_options(clip_agent PRIVATE -static -s -municode)
    set_target_properties(clip_agent PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${AGENT_BIN})
endif()

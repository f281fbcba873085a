# Flags shared by the runtime, the frame, the subsystem modules and every program: small,
# warning-free, no exceptions or RTTI, UTF-16 interfaces, linked statically against the system
# C runtime so that no MinGW DLL is needed at run time.
add_library(suite_flags INTERFACE)
target_compile_definitions(suite_flags INTERFACE UNICODE _UNICODE)
target_compile_options(suite_flags INTERFACE
    $<$<COMPILE_LANGUAGE:CXX>:-Os -Wall -Wextra -Werror -fno-exceptions -fno-rtti
        -fno-threadsafe-statics -fno-asynchronous-unwind-tables -ffunction-sections
        -fdata-sections>)

# How a program is linked: GUI subsystem, wWinMain entry, unused sections dropped, stripped.
add_library(suite_program_link INTERFACE)
target_link_options(suite_program_link INTERFACE -static -s -Wl,--gc-sections -municode -mwindows)

# A static library of shared code (the runtime, the frame, a subsystem's modules).
function(add_module name)
    add_library(${name} STATIC ${ARGN})
    target_link_libraries(${name} PRIVATE suite_flags)
    target_compile_definitions(${name} PUBLIC UNICODE _UNICODE)
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()

# add_program(<folder> [MODULES m...] [LIBS l...]): one program from every .cpp and .rc file in
# <folder>; its name is the folder's last component. Every program also carries the manifest that
# declares it aware of the system DPI (dpi-aware.rc beside this file; the linker merges the
# resources of several scripts into one resource section).
function(add_program dir)
    cmake_parse_arguments(P "" "" "MODULES;LIBS" ${ARGN})
    get_filename_component(name ${dir} NAME)
    file(GLOB sources CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.rc)
    add_executable(${name} WIN32 ${sources} ${PROJECT_SOURCE_DIR}/cmake/dpi-aware.rc)
    set_property(SOURCE ${PROJECT_SOURCE_DIR}/cmake/dpi-aware.rc APPEND PROPERTY OBJECT_DEPENDS
        ${PROJECT_SOURCE_DIR}/cmake/dpi-aware.manifest)
    target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/${dir})
    target_link_libraries(${name} PRIVATE ${P_MODULES} frame runtime suite_flags suite_program_link
        ${P_LIBS})
    set_property(GLOBAL APPEND PROPERTY SUITE_PROGRAMS ${name})
endfunction()

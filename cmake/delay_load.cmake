# Libraries the program needs only after it has asked for the WebView2 environment (the shell's
# hand-off and drop, window subclasses, error descriptions) are loaded at the first call of one of
# their functions, not at process start: an import library of dlltool's delay-load kind does that.
# corvane_delay_load(<name> [DEF <file>]) makes the target <name>_delayed from <file>, by default
# cmake/delay-load/<name>.def, which lists the functions the program uses. Other toolchains link the
# library as usual.
function(corvane_delay_load name)
  cmake_parse_arguments(D "" "DEF" "" ${ARGN})
  add_library(${name}_delayed INTERFACE)
  if(NOT MINGW)
    target_link_libraries(${name}_delayed INTERFACE ${name})
    return()
  endif()
  if(NOT CMAKE_DLLTOOL)
    find_program(CMAKE_DLLTOOL NAMES dlltool x86_64-w64-mingw32-dlltool REQUIRED)
  endif()
  set(def "${PROJECT_SOURCE_DIR}/cmake/delay-load/${name}.def")
  if(D_DEF)
    set(def "${D_DEF}")
  endif()
  set(library "${PROJECT_BINARY_DIR}/delay-load/lib${name}_delayed.a")
  add_custom_command(
    OUTPUT "${library}"
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${PROJECT_BINARY_DIR}/delay-load"
    COMMAND "${CMAKE_DLLTOOL}" -d "${def}" -y "${library}" -m i386:x86-64
    DEPENDS "${def}"
    COMMENT "Making the delay-load import library for ${name}"
    VERBATIM)
  add_custom_target(${name}_delay_import DEPENDS "${library}")
  add_dependencies(${name}_delayed ${name}_delay_import)
  # A library or function that cannot be found must stop the program through its fatal path: the
  # failure hook of support/delay_load.cpp, which the linker takes in place of the runtime library's
  # empty one only when it looks for the hook from the start.
  target_link_libraries(${name}_delayed INTERFACE "${library}")
  target_link_options(${name}_delayed INTERFACE "LINKER:--undefined=__pfnDliFailureHook2")
endfunction()

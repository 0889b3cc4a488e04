# The Windows resources (packaging/windows/brannock.rc: the application manifest) of an
# executable. Elsewhere brannock_windows_resources does nothing, so callers need no platform
# test of their own. Include this file from a folder above every target that uses it.
include_guard(DIRECTORY)

if(WIN32)
  enable_language(RC)
endif()

function(brannock_windows_resources target)
  if(NOT WIN32)
    return()
  endif()
  set(rc_dir ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../packaging/windows)
  cmake_path(NORMAL_PATH rc_dir)
  set(rc ${rc_dir}/brannock.rc)
  target_sources(${target} PRIVATE ${rc})
  # The resource compiler looks for the manifest that the .rc file names on its include path.
  set_property(SOURCE ${rc} TARGET_DIRECTORY ${target} APPEND PROPERTY INCLUDE_DIRECTORIES
                                                                      ${rc_dir})
  if(MSVC)
    # The manifest comes from the .rc file; the linker's own would be a second one.
    target_link_options(${target} PRIVATE /MANIFEST:NO)
  endif()
endfunction()

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

# The version resource of the program itself (packaging/windows/version.rc.in): the project's
# version, name and description, and the About box's owner line as its copyright. The test
# programs carry none, since they are not brannock.exe.
function(brannock_version_resource target)
  if(NOT WIN32)
    return()
  endif()
  # Quotes are doubled inside a resource script's strings.
  string(REPLACE "\"" "\"\"" BRANNOCK_RC_DESCRIPTION "${PROJECT_DESCRIPTION}")
  string(REPLACE "\"" "\"\"" BRANNOCK_RC_COPYRIGHT "${BRANNOCK_ABOUT_OWNER}")
  set(rc ${CMAKE_BINARY_DIR}/generated/version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/version.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()

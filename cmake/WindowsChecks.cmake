# Checks of the Windows program itself, run by ctest in the cross build: what it imports and
# its manifest (cmake/check-windows-exe.sh), and a run of the real program under Wine from a
# settings file to its end through the tray menu (tests/e2e). Include it after the folder
# that defines the program's target; without the target there is nothing to check.
function(brannock_windows_checks)
  if(NOT TARGET brannock_win32)
    message(STATUS "No brannock_win32 target: the checks of brannock.exe are left out")
    return()
  endif()
  if(CMAKE_OBJDUMP)
    set(objdump ${CMAKE_OBJDUMP})
  else()
    find_program(BRANNOCK_OBJDUMP NAMES ${BRANNOCK_MINGW_TRIPLE}-objdump objdump REQUIRED)
    set(objdump ${BRANNOCK_OBJDUMP})
  endif()
  add_test(NAME check_windows_exe
           COMMAND bash ${PROJECT_SOURCE_DIR}/cmake/check-windows-exe.sh ${objdump}
                   $<TARGET_FILE:brannock_win32> ${PROJECT_VERSION})
  if(EXISTS ${PROJECT_SOURCE_DIR}/tests/e2e/CMakeLists.txt)
    add_subdirectory(${PROJECT_SOURCE_DIR}/tests/e2e ${CMAKE_BINARY_DIR}/tests/e2e)
  endif()
endfunction()

brannock_windows_checks()

# Writes the help text for one platform: help/brannock.md holds what every platform shares and
# sections only one platform's help shows, each between a marker line naming the platform and
# one closing it:
#
#   <!-- windows -->            (or <!-- linux -->)
#   ...
#   <!-- end -->
#
# The other platforms' sections and the marker lines themselves are left out, so no reader of
# the help sees them. Run as a script:
#   cmake -DPLATFORM=windows|linux -DHELP_IN=help/brannock.md -DHELP_OUT=brannock.hlp -P HelpFile.cmake
foreach(var PLATFORM HELP_IN HELP_OUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "HelpFile.cmake: ${var} is not given")
  endif()
endforeach()
if(NOT PLATFORM MATCHES "^(windows|linux)$")
  message(FATAL_ERROR "HelpFile.cmake: unknown platform '${PLATFORM}'")
endif()

file(READ "${HELP_IN}" text)
set(out "")
set(section "")  # the platform of the open section; empty outside one
set(number 0)
while(NOT text STREQUAL "")
  string(FIND "${text}" "\n" end)
  if(end EQUAL -1)
    set(line "${text}")
    set(text "")
    set(newline "")
  else()
    string(SUBSTRING "${text}" 0 ${end} line)
    math(EXPR next "${end} + 1")
    string(SUBSTRING "${text}" ${next} -1 text)
    set(newline "\n")
  endif()
  math(EXPR number "${number} + 1")
  string(STRIP "${line}" marker)
  if(marker MATCHES "^<!-- (windows|linux) -->$")
    if(NOT section STREQUAL "")
      message(FATAL_ERROR "${HELP_IN}:${number}: a section opens inside the '${section}' one")
    endif()
    set(section "${CMAKE_MATCH_1}")
  elseif(marker STREQUAL "<!-- end -->")
    if(section STREQUAL "")
      message(FATAL_ERROR "${HELP_IN}:${number}: a section closes that was never opened")
    endif()
    set(section "")
  elseif(section STREQUAL "" OR section STREQUAL PLATFORM)
    string(APPEND out "${line}${newline}")
  endif()
endwhile()
if(NOT section STREQUAL "")
  message(FATAL_ERROR "${HELP_IN}: the '${section}' section is never closed")
endif()
file(WRITE "${HELP_OUT}.part" "${out}")
file(RENAME "${HELP_OUT}.part" "${HELP_OUT}")

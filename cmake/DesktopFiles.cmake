# The files that travel with the program: the help file beside every shell's executable, and,
# for a Linux desktop, the icon rendered into theme sizes.

# Puts the help text beside `target`'s executable as <base name>.hlp, where the program looks
# for it, after every build of the target: the shared text with the sections of the platform
# built for (cmake/HelpFile.cmake).
function(brannock_help_file target)
  set(help ${PROJECT_SOURCE_DIR}/help/brannock.md)
  if(WIN32)
    set(platform windows)
  else()
    set(platform linux)
  endif()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -DPLATFORM=${platform} -DHELP_IN=${help}
            -DHELP_OUT=$<TARGET_FILE_DIR:${target}>/$<TARGET_FILE_BASE_NAME:${target}>.hlp
            -P ${PROJECT_SOURCE_DIR}/cmake/HelpFile.cmake
    COMMENT "Help file beside ${target}")
  # The file must follow edits of the text and of the filter, not only rebuilds of the program.
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${help}
                                                ${PROJECT_SOURCE_DIR}/cmake/HelpFile.cmake)
endfunction()

# The sizes a desktop's hicolor theme looks for; the SVG serves every other size.
set(BRANNOCK_ICON_SIZES 16 22 24 32 48 64 128 256)

# Source-tree checks run by ctest beside the unit tests: they guard the layering rules.
find_program(BRANNOCK_BASH bash)
if(BRANNOCK_BASH)
  set(scripts ${PROJECT_SOURCE_DIR}/scripts)
  add_test(NAME check_platform_includes
           COMMAND ${BRANNOCK_BASH} ${scripts}/check-includes.sh platform ${PROJECT_SOURCE_DIR})
  add_test(NAME check_qt_includes
           COMMAND ${BRANNOCK_BASH} ${scripts}/check-includes.sh qt ${PROJECT_SOURCE_DIR})
  add_test(NAME check_include_checks COMMAND ${BRANNOCK_BASH} ${scripts}/test-check-includes.sh)
endif()

# Every C++ file keeps the repository's clang-format style, so diffs stay about behaviour.
find_program(BRANNOCK_CLANG_FORMAT clang-format)
find_program(BRANNOCK_GIT git)
if(BRANNOCK_BASH AND BRANNOCK_CLANG_FORMAT AND BRANNOCK_GIT)
  add_test(NAME check_format
           COMMAND ${BRANNOCK_BASH} -c
                   "${BRANNOCK_GIT} ls-files '*.cpp' '*.h' | xargs -r ${BRANNOCK_CLANG_FORMAT} --dry-run -Werror"
           WORKING_DIRECTORY ${PROJECT_SOURCE_DIR})
endif()

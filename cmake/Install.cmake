# mz_install: lays out a runnable installation of the program in ${MZ_INSTALL_DIR}
# (the program, and whatever the folders add through the MZ_INSTALL_STEPS property).
if(NOT MZ_FLAVOUR STREQUAL "wine")
  return()
endif()
get_property(steps GLOBAL PROPERTY MZ_INSTALL_STEPS)
get_property(steps_last GLOBAL PROPERTY MZ_INSTALL_STEPS_LAST)
get_property(deps GLOBAL PROPERTY MZ_INSTALL_DEPENDS)
add_custom_target(mz_install
  COMMAND ${CMAKE_COMMAND} -E make_directory ${MZ_INSTALL_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:MZ3100>.so ${MZ_INSTALL_DIR}/MZ3100.exe.so
  ${steps}
  ${steps_last}
  DEPENDS MZ3100 ${deps}
  VERBATIM)

# A second installation keeps the user's settings, database and every file of the data folders.
add_test(NAME install_twice_test
         COMMAND ${CMAKE_SOURCE_DIR}/cmake/InstallTwiceTest.sh ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/install-twice-test)
set_tests_properties(install_twice_test PROPERTIES LABELS install TIMEOUT 300)

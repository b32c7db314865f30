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

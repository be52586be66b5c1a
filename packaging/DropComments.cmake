# Runs in cpack after staging: strip leaves the compilers' .comment section,
# which only says which compilers built the binaries.
file(GLOB binaries "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin/*")
foreach(binary IN LISTS binaries)
  execute_process(COMMAND "${CPACK_OBJCOPY}" --remove-section=.comment "${binary}"
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()

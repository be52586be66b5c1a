# Gives a Windows program its version information (res/VersionInfo.rc.in).
function(ovantis_version_info target description)
  if(NOT WIN32)
    return()
  endif()
  set(OVANTIS_EXE ${target})
  set(OVANTIS_EXE_DESCRIPTION ${description})
  configure_file(${PROJECT_SOURCE_DIR}/res/VersionInfo.rc.in
                 ${CMAKE_CURRENT_BINARY_DIR}/${target}-version.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}-version.rc)
endfunction()

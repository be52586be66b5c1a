# Warnings belong to the project's own targets, set per compiler: GCC (MinGW-w64
# included) and Clang share one set. Third-party code built alongside
# (GoogleTest in a cross build) keeps its own.
set(ovantisWarnings
    "$<$<COMPILE_LANG_AND_ID:CXX,GNU,Clang,AppleClang>:-Wall;-Wextra;-Wpedantic>"
    "$<$<COMPILE_LANG_AND_ID:C,GNU,Clang,AppleClang>:-Wall;-Wextra;-Wpedantic>"
    "$<$<CXX_COMPILER_ID:MSVC>:/W4;/permissive->")
if(OVANTIS_WERROR)
  list(APPEND ovantisWarnings "$<$<CXX_COMPILER_ID:GNU,Clang,AppleClang>:-Werror>"
       "$<$<CXX_COMPILER_ID:MSVC>:/WX>")
  # GCC 12 at -O2 sees overlapping copies in std::string assignments that
  # cannot overlap (GCC bug 105651); it stays a warning there.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    list(APPEND ovantisWarnings "-Wno-error=restrict")
  endif()
endif()

# Walks the project's folders after they are all added, so a new target gets
# the warnings without asking. BEFORE lets a folder's own -Wno-… win.
function(ovantis_set_warnings directory)
  get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY|EXECUTABLE)$")
      target_compile_options(${target} BEFORE PRIVATE ${ovantisWarnings})
    endif()
  endforeach()
  get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
  foreach(subdirectory IN LISTS subdirectories)
    cmake_path(IS_PREFIX PROJECT_SOURCE_DIR ${subdirectory} NORMALIZE inside)
    if(inside)
      ovantis_set_warnings(${subdirectory})
    endif()
  endforeach()
endfunction()

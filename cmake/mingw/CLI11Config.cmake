# The host's header-only CLI11 for the cross build: its folder alone is put on
# the include path (through a link), never the host's /usr/include.
set(_cli11_root ${CMAKE_BINARY_DIR}/cli11-include)
if(NOT EXISTS ${_cli11_root}/CLI)
  file(MAKE_DIRECTORY ${_cli11_root})
  file(CREATE_LINK /usr/include/CLI ${_cli11_root}/CLI SYMBOLIC)
endif()
if(NOT TARGET CLI11::CLI11)
  add_library(CLI11::CLI11 INTERFACE IMPORTED)
  set_target_properties(CLI11::CLI11 PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${_cli11_root})
endif()
set(CLI11_FOUND TRUE)

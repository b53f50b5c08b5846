# Run by CPack on the staged install before the Debian package is built.
# Executables do not belong under /usr/share, so the program folder moves to
# /usr/lib/kelvara (it stays one folder: the program finds its tools, help
# page and sounds beside itself) and bin/kelvara points there.
file(GLOB_RECURSE kelvara_programs LIST_DIRECTORIES false "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/share/kelvara/kelvara")
foreach(program ${kelvara_programs})
  get_filename_component(shared ${program} DIRECTORY)
  get_filename_component(usr ${shared}/../.. ABSOLUTE)
  file(MAKE_DIRECTORY ${usr}/lib)
  file(RENAME ${shared} ${usr}/lib/kelvara)
  file(REMOVE ${usr}/bin/kelvara)
  file(CREATE_LINK ../lib/kelvara/kelvara ${usr}/bin/kelvara SYMBOLIC)
endforeach()

# Run by CPack on the staged install before the Debian package is built.
# Executables do not belong under /usr/share, so the program folder moves to
# /usr/lib/kelvara (it stays one folder: the program finds its tools, help
# page and sounds beside itself) and bin/kelvara points there. The folder was
# copied as the build wrote it, so its executables are stripped here as
# Debian strips them (debugging symbols, comments and notes out).
file(GLOB_RECURSE kelvara_programs LIST_DIRECTORIES false
  "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/share/kelvara/kelvara")
foreach(program ${kelvara_programs})
  get_filename_component(shared ${program} DIRECTORY)
  get_filename_component(usr ${shared}/../.. ABSOLUTE)
  file(MAKE_DIRECTORY ${usr}/lib)
  file(RENAME ${shared} ${usr}/lib/kelvara)
  file(REMOVE ${usr}/bin/kelvara)
  file(CREATE_LINK ../lib/kelvara/kelvara ${usr}/bin/kelvara SYMBOLIC)

  file(GLOB_RECURSE files LIST_DIRECTORIES false ${usr}/lib/kelvara/*)
  foreach(file ${files})
    file(READ ${file} magic LIMIT 4 HEX)
    if(magic STREQUAL "7f454c46")
      execute_process(COMMAND ${CPACK_KELVARA_STRIP} --strip-unneeded --remove-section=.comment
        --remove-section=.note ${file} RESULT_VARIABLE stripped)
      if(NOT stripped EQUAL 0)
        message(FATAL_ERROR "cannot strip ${file}")
      endif()
    endif()
  endforeach()
endforeach()

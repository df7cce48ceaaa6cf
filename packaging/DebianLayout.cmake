# Run by CPack on the files staged for the Debian package, before it packs
# them: the command moves to games/ and the game to lib/games/, where Debian
# keeps games; the fonts become links into Debian's font packages, which the
# package depends on, instead of copies; and the executable loses the
# compiler's notes that strip leaves in.
set(usr ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr)
if(NOT EXISTS ${usr}/bin/vantreth)
  message(FATAL_ERROR "DebianLayout: no staged launcher in ${usr}/bin")
endif()

file(MAKE_DIRECTORY ${usr}/games ${usr}/lib/games)
file(RENAME ${usr}/bin/vantreth ${usr}/games/vantreth)
file(REMOVE_RECURSE ${usr}/bin)
file(RENAME ${usr}/${CPACK_VANTRETH_LIBDIR}/vantreth ${usr}/lib/games/vantreth)
execute_process(COMMAND ${CPACK_VANTRETH_OBJCOPY} --remove-section=.comment --remove-section=.note
                        ${usr}/lib/games/vantreth/vantreth COMMAND_ERROR_IS_FATAL ANY)

# Links within /usr are relative, as Debian asks.
set(graphics ${usr}/share/vantreth/Graphics)
foreach(entry ${CPACK_VANTRETH_FONTS})
  string(REPLACE "=" ";" pair ${entry})
  list(GET pair 0 name)
  list(GET pair 1 font)
  file(RELATIVE_PATH target /usr/share/vantreth/Graphics ${font})
  file(REMOVE ${graphics}/${name})
  file(CREATE_LINK ${target} ${graphics}/${name} SYMBOLIC)
endforeach()
file(REMOVE_RECURSE ${usr}/share/doc/vantreth/fonts)

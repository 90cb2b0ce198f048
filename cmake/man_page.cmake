# quorvel_man_page(TARGET NAME "one-line description"): a section-1 man page made by help2man
# from the program's own --help and --version at build time, and installed with it, compressed.
find_program(HELP2MAN help2man)
function(quorvel_man_page target name description)
  if(NOT HELP2MAN)
    message(WARNING "help2man not found: no man page for ${name}")
    return()
  endif()
  set(page ${CMAKE_CURRENT_BINARY_DIR}/${name}.1)
  add_custom_command(
    OUTPUT ${page} ${page}.gz
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
            ${HELP2MAN} --no-info --section=1 --name=${description} --output=${page}
            $<TARGET_FILE:${target}>
    COMMAND gzip -9nf --keep ${page}
    DEPENDS ${target}
    COMMENT "Writing the man page of ${name}"
    VERBATIM)
  add_custom_target(${name}_man ALL DEPENDS ${page}.gz)
  install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()

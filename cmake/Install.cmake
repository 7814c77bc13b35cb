# What `cmake --install` puts in place, and the Debian package built from it
# with `cpack -G DEB`.
include(GNUInstallDirs)
set(TOLLIVEX_CONTACT "Tollivex developers <tollivex@example.org>")
set(TOLLIVEX_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/tollivex)

# Compresses SOURCE into OUTPUT in the build tree, without a time stamp, so
# that the same source always gives the same bytes.
function(tollivex_gzip source output)
  add_custom_command(OUTPUT ${output}
    COMMAND sh -c "gzip -9nc \"$0\" > \"$1\"" ${source} ${output}
    DEPENDS ${source} VERBATIM)
endfunction()
tollivex_gzip(${PROJECT_SOURCE_DIR}/doc/Tollivex.1
              ${PROJECT_BINARY_DIR}/Tollivex.1.gz)
tollivex_gzip(${PROJECT_SOURCE_DIR}/pkg/changelog
              ${PROJECT_BINARY_DIR}/changelog.gz)
add_custom_target(compressed_docs ALL DEPENDS
  ${PROJECT_BINARY_DIR}/Tollivex.1.gz ${PROJECT_BINARY_DIR}/changelog.gz)

# The copyright file in Debian's machine-readable format: the license text
# of LICENSE after its title and copyright line, each line indented by one
# space and each empty line written as " .".
file(READ ${PROJECT_SOURCE_DIR}/LICENSE license)
string(FIND "${license}" "Permission is hereby granted" body_start)
string(SUBSTRING "${license}" ${body_start} -1 license)
string(STRIP "${license}" license)
string(REPLACE "\n\n" "\n.\n" license "${license}")
string(REPLACE "\n" "\n " LICENSE_TEXT " ${license}")
configure_file(pkg/copyright.in ${PROJECT_BINARY_DIR}/copyright @ONLY)

install(TARGETS Tollivex RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_BINARY_DIR}/Tollivex.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES completion/Tollivex
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/bash-completion/completions)
install(FILES ${PROJECT_BINARY_DIR}/copyright ${PROJECT_BINARY_DIR}/changelog.gz
        DESTINATION ${TOLLIVEX_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tollivex)
set(CPACK_PACKAGE_VENDOR "The Tollivex developers")
set(CPACK_PACKAGE_CONTACT ${TOLLIVEX_CONTACT})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "placeholder flash images in S-record, Intel HEX or binary")
# The long description: Debian wants lines of at most 80 characters.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Tollivex writes an image of a chosen shape, as Motorola S-records, Intel\n"
  "HEX or raw binary: pseudo-random bytes or a repeating pattern over any\n"
  "number of inclusive address ranges. Device profiles for NXP, Nordic,\n"
  "ST, Microchip, Silicon Labs, TI and Renesas families pin the bytes that\n"
  "leave the part open, keep out what it keeps, and refuse a pin that would\n"
  "lock it for good; any other bytes can be pinned by address, check values\n"
  "placed for a bootloader, and a word mode serves word-addressed devices.\n"
  "Such images exercise flash programmers, loaders, bootloaders and\n"
  "checksum tools.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)

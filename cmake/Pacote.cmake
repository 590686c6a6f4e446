# The Debian package (cpack -G DEB in the build directory gives
# quantivo_<version>_amd64.deb): both programs, the manual, the desktop entry,
# the icon, the AppStream metadata, the man pages, copyright and changelog.
set(_pk ${PROJECT_SOURCE_DIR}/packaging)
set(_id com.example.Quantivo)
install(FILES ${_pk}/${_id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${_pk}/${_id}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# The AppStream file's release is the project's version.
set(QUANTIVO_METAINFO ${PROJECT_BINARY_DIR}/pacote-arquivos/${_id}.metainfo.xml)
configure_file(${_pk}/${_id}.metainfo.xml.in ${QUANTIVO_METAINFO} @ONLY)
install(FILES ${QUANTIVO_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${_pk}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quantivo)

# Debian wants the changelog and the man pages compressed with gzip -9n
# (no name or time stamp inside, so the package is reproducible).
find_program(QUANTIVO_GZIP gzip)
if(QUANTIVO_GZIP)
  set(_gz)
  foreach(par "changelog;doc/quantivo" "quantivo.1;man/man1" "quantivo-batch.1;man/man1")
    list(GET par 0 nome)
    list(GET par 1 destino)
    set(saida ${PROJECT_BINARY_DIR}/pacote-arquivos/${nome})
    add_custom_command(OUTPUT ${saida}.gz
      COMMAND ${CMAKE_COMMAND} -E copy ${_pk}/${nome} ${saida}
      COMMAND ${QUANTIVO_GZIP} -9nf ${saida}
      DEPENDS ${_pk}/${nome}
      VERBATIM)
    list(APPEND _gz ${saida}.gz)
    install(FILES ${saida}.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/${destino})
  endforeach()
  add_custom_target(pacote_arquivos ALL DEPENDS ${_gz})
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quantivo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# The vendor as the program itself names it (core/Fornecedor.h holds the one copy).
function(quantivo_fornecedor constante saida)
  file(STRINGS ${PROJECT_SOURCE_DIR}/core/Fornecedor.h _linha REGEX " ${constante} = \"")
  string(REGEX REPLACE ".* ${constante} = \"([^\"]*)\".*" "\\1" _valor "${_linha}")
  set(${saida} "${_valor}" PARENT_SCOPE)
endfunction()
quantivo_fornecedor(kNome _fornecedor)
quantivo_fornecedor(kEmail _email)
quantivo_fornecedor(kSite _site)
set(CPACK_PACKAGE_VENDOR "${_fornecedor}")
set(CPACK_PACKAGE_CONTACT "${_fornecedor} <${_email}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "financial calculator for the counter of factoring firms")
set(CPACK_PACKAGE_DESCRIPTION
  "Quantivo answers the four questions of a short-term credit counter in\n"
  "Brazilian reais: the net payout of a cheque discount, the face value of\n"
  "cheques for an inverse discount, Price-table instalments and the\n"
  "renegotiation of an overdue debt. It prints listings and payment receipts\n"
  "with the amount in Portuguese words. The interface speaks Brazilian\n"
  "Portuguese. The package also holds quantivo-batch, the same calculations\n"
  "as JSON lines, and the user manual.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://${_site}/")
# The Qt and C++ runtime libraries come from dpkg-shlibdeps; the fonts are
# the faces the printouts ask for by their Windows names; Qt's Portuguese
# catalogue gives the print dialog, the preview and the menus in Portuguese;
# Qt SQL loads the journal's SQLite driver as a plugin, and the journal's
# exports load libxlsxwriter at their first spreadsheet, which dpkg-shlibdeps
# does not see (its package is named after its soname: libxlsxwriter.so.4 is
# libxlsxwriter4's).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(_xlsx_pacote "")
if(QUANTIVO_XLSXWRITER_ARQUIVO MATCHES "^libxlsxwriter\\.so\\.([0-9]+)")
  set(_xlsx_pacote ", libxlsxwriter${CMAKE_MATCH_1}")
endif()
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, qt6-translations-l10n, libqt6sql6-sqlite${_xlsx_pacote}")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_IGNORE_FILES "/build.*/;/\\\\.git/")
include(CPack)

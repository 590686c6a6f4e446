# The Debian package test: builds the package with CPack, checks its control
# data and file list, unpacks it into a temporary root with dpkg-deb -x, runs
# the unpacked quantivo-batch on the worked example, validates the desktop
# entry and the AppStream data, and requires lintian to report no error.
#   cmake -DBUILD_DIR=... -DSOURCE_DIR=... -DWORK_DIR=... -DVERSION=...
#         [-DLINTIAN=...] [-DAPPSTREAMCLI=...] [-DDESKTOP_VALIDATE=...] -P TestePacote.cmake
foreach(v BUILD_DIR SOURCE_DIR WORK_DIR VERSION)
  if(NOT DEFINED ${v})
    message(FATAL_ERROR "${v} is required")
  endif()
endforeach()

function(roda)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE r OUTPUT_VARIABLE o ERROR_VARIABLE e)
  if(r)
    message(FATAL_ERROR "${ARGN}\n${o}\n${e}")
  endif()
  set(saida "${o}" PARENT_SCOPE)
endfunction()

function(exige texto trecho onde)
  string(FIND "${texto}" "${trecho}" i)
  if(i EQUAL -1)
    message(FATAL_ERROR "${onde} lacks \"${trecho}\":\n${texto}")
  endif()
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
roda(${CMAKE_CPACK_COMMAND} -G DEB -B ${WORK_DIR} --config ${BUILD_DIR}/CPackConfig.cmake)
set(deb ${WORK_DIR}/quantivo_${VERSION}_amd64.deb)
if(NOT EXISTS ${deb})
  message(FATAL_ERROR "no ${deb}")
endif()
file(SIZE ${deb} tamanho)
message(STATUS "package: ${deb}, ${tamanho} bytes")

roda(dpkg-deb --info ${deb})
foreach(t "Package: quantivo" "Version: ${VERSION}" "Architecture: amd64" "fonts-liberation2" "qt6-translations-l10n"
          "libqt6widgets6" "libqt6printsupport6" "Maintainer: " "Description: ")
  exige("${saida}" "${t}" "dpkg-deb --info")
endforeach()

roda(dpkg-deb --contents ${deb})
foreach(t ./usr/bin/quantivo ./usr/bin/quantivo-batch
          ./usr/share/quantivo/Manual_Quantivo.pdf
          ./usr/share/applications/com.example.Quantivo.desktop
          ./usr/share/icons/hicolor/scalable/apps/com.example.Quantivo.svg
          ./usr/share/metainfo/com.example.Quantivo.metainfo.xml
          ./usr/share/doc/quantivo/copyright ./usr/share/doc/quantivo/changelog.gz
          ./usr/share/man/man1/quantivo.1.gz)
  exige("${saida}" " ${t}\n" "dpkg-deb --contents")
endforeach()
# Nothing outside /usr, nothing owned by the builder.
string(REGEX MATCH "\n[^\n]* \\./(etc|opt|home|tmp|var)/" fora "\n${saida}")
if(fora OR NOT saida MATCHES "root/root")
  message(FATAL_ERROR "unexpected paths or owners:\n${saida}")
endif()

set(raiz ${WORK_DIR}/raiz)
roda(dpkg-deb -x ${deb} ${raiz})
execute_process(COMMAND ${raiz}/usr/bin/quantivo-batch
  INPUT_FILE ${SOURCE_DIR}/tests/golden/exemplo.pedido
  OUTPUT_VARIABLE resposta RESULT_VARIABLE r)
if(r)
  message(FATAL_ERROR "installed quantivo-batch failed: ${r}")
endif()
foreach(t "\"ValorFinanciado\":\"3.758,04\"" "\"ValorTotal\":\"4.000,50\"" "\"erro\":null")
  exige("${resposta}" "${t}" "the installed quantivo-batch's answer")
endforeach()
# The desktop program finds every library it needs.
roda(ldd ${raiz}/usr/bin/quantivo)
if(saida MATCHES "not found")
  message(FATAL_ERROR "installed quantivo misses libraries:\n${saida}")
endif()

if(APPSTREAMCLI)
  roda(${APPSTREAMCLI} validate --no-net ${raiz}/usr/share/metainfo/com.example.Quantivo.metainfo.xml)
endif()
if(DESKTOP_VALIDATE)
  roda(${DESKTOP_VALIDATE} ${raiz}/usr/share/applications/com.example.Quantivo.desktop)
endif()
if(LINTIAN)
  execute_process(COMMAND ${LINTIAN} --tag-display-limit 0 ${deb}
    OUTPUT_VARIABLE o ERROR_VARIABLE e RESULT_VARIABLE r)
  string(REGEX MATCHALL "(^|\n)E: [^\n]*" erros "${o}")
  string(REGEX MATCHALL "(^|\n)W: [^\n]*" avisos "${o}")
  list(LENGTH erros ne)
  list(LENGTH avisos nw)
  message(STATUS "lintian: ${ne} errors, ${nw} warnings\n${o}")
  if(ne GREATER 0)
    message(FATAL_ERROR "lintian reports errors")
  endif()
endif()

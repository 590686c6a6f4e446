# The desktop program built for Windows (scripts/windows.sh): a window
# program (no console), its version and icon in the executable, the static
# Qt's plugins linked in, and the installer's version. scripts/windows.sh
# lays the installed folder out from the build.

set_target_properties(quantivo PROPERTIES WIN32_EXECUTABLE ON)

# The vendor as the program itself names it (core/Fornecedor.h).
file(STRINGS ${PROJECT_SOURCE_DIR}/core/Fornecedor.h _linha REGEX " kNome = \"")
string(REGEX REPLACE ".* kNome = \"([^\"]*)\".*" "\\1" QUANTIVO_FORNECEDOR "${_linha}")

set(_w ${PROJECT_SOURCE_DIR}/packaging/windows)
# Made by scripts/windows.sh from the desktop icon; without it the
# executable keeps Windows' default icon.
set(QUANTIVO_ICONE ${PROJECT_BINARY_DIR}/quantivo.ico CACHE FILEPATH "The program's icon (.ico)")
if(EXISTS ${QUANTIVO_ICONE})
  set(QUANTIVO_LINHA_ICONE "1 ICON \"${QUANTIVO_ICONE}\"")
else()
  set(QUANTIVO_LINHA_ICONE "")
endif()
configure_file(${_w}/quantivo.rc.in ${PROJECT_BINARY_DIR}/quantivo.rc @ONLY)
target_sources(quantivo PRIVATE ${PROJECT_BINARY_DIR}/quantivo.rc)
# The installer's version and names, for packaging/windows/quantivo.nsi.
configure_file(${_w}/versao.nsh.in ${PROJECT_BINARY_DIR}/versao.nsh @ONLY)

# A static Qt loads no plugin at run time: the windows platform and the
# journal's SQLite driver are linked into the program.
if(QUANTIVO_QT_ESTATICO)
  qt_import_plugins(quantivo INCLUDE Qt6::QWindowsIntegrationPlugin)
  if(QUANTIVO_DIARIO)
    qt_import_plugins(quantivo INCLUDE Qt6::QSQLiteDriverPlugin)
  endif()
endif()

# Qt's Portuguese texts (Debian's qt6-translations-l10n, of the same Qt
# version) in translations/ beside the program, where it looks for them on
# Windows; the installer takes them from here.
set(QUANTIVO_TRADUCAO_QT /usr/share/qt6/translations/qtbase_pt_BR.qm CACHE FILEPATH "Qt's Portuguese catalogue")
if(EXISTS "${QUANTIVO_TRADUCAO_QT}")
  file(COPY ${QUANTIVO_TRADUCAO_QT} DESTINATION ${PROJECT_BINARY_DIR}/translations)
else()
  message(FATAL_ERROR "${QUANTIVO_TRADUCAO_QT} missing (qt6-translations-l10n): Qt's dialogs would speak English")
endif()

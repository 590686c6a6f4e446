; The Windows installer (NSIS 3), made by scripts/windows.sh:
;   makensis -DPASTA=<the program's folder> -DVERSAO_NSH=<versao.nsh from CMake>
;            -DSAIDA=<quantivo-setup.exe> quantivo.nsi
; It installs the program's folder under Program Files\Quantivo, a Start-menu
; folder (the program, its manual, the uninstaller) and the entry of "Apps
; and features". `quantivo-setup.exe /S` installs silently (`/D=C:\Pasta`,
; last, picks another folder). The uninstaller removes only what was
; installed: a valida.ini saved beside the program stays.
;   -DICONE=<quantivo.ico> gives the installer the program's icon;
;   -DTAMANHO_KB=<n> the size "Apps and features" shows.

; A 64-bit installer, like the program: it runs where the program runs
; (wine64 included) and writes the 64-bit registry and Program Files.
Target amd64-unicode
!include "MUI2.nsh"
!include "x64.nsh"
!include "${VERSAO_NSH}"

!define CHAVE_DESINSTALAR "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quantivo"

; makensis warns of any output name holding "setup", which Windows would
; treat as an installer by guessing; this one says its level (admin) itself.
!pragma warning disable 9000

Name "Quantivo ${VERSAO}"
OutFile "${SAIDA}"
InstallDir "$PROGRAMFILES64\Quantivo"
InstallDirRegKey HKLM "Software\Quantivo" "Pasta"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
BrandingText "Quantivo ${VERSAO}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

!define MUI_ABORTWARNING
!ifdef ICONE
  !define MUI_ICON "${ICONE}"
  !define MUI_UNICON "${ICONE}"
!endif
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "PortugueseBR"

VIProductVersion "${VERSAO_WINDOWS}"
VIFileVersion "${VERSAO_WINDOWS}"
VIAddVersionKey /LANG=${LANG_PORTUGUESEBR} "ProductName" "Quantivo"
VIAddVersionKey /LANG=${LANG_PORTUGUESEBR} "ProductVersion" "${VERSAO}"
VIAddVersionKey /LANG=${LANG_PORTUGUESEBR} "FileVersion" "${VERSAO}"
VIAddVersionKey /LANG=${LANG_PORTUGUESEBR} "CompanyName" "${FORNECEDOR}"
VIAddVersionKey /LANG=${LANG_PORTUGUESEBR} "FileDescription" "Instalação do Quantivo ${VERSAO}"
VIAddVersionKey /LANG=${LANG_PORTUGUESEBR} "LegalCopyright" "${FORNECEDOR}"

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_ICONSTOP "O Quantivo precisa do Windows de 64 bits." /SD IDOK
    Abort
  ${EndIf}
  SetRegView 64
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "Quantivo"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "${PASTA}\quantivo.exe"
  File "${PASTA}\quantivo-batch.exe"
  File "${PASTA}\libxlsxwriter.dll"
  File "${PASTA}\Manual_Quantivo.pdf"
  SetOutPath "$INSTDIR\translations"
  File "${PASTA}\translations\qtbase_pt_BR.qm"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\Desinstalar.exe"

  CreateDirectory "$SMPROGRAMS\Quantivo"
  CreateShortcut "$SMPROGRAMS\Quantivo\Quantivo.lnk" "$INSTDIR\quantivo.exe" "" "$INSTDIR\quantivo.exe" 0
  CreateShortcut "$SMPROGRAMS\Quantivo\Manual do Quantivo.lnk" "$INSTDIR\Manual_Quantivo.pdf"
  CreateShortcut "$SMPROGRAMS\Quantivo\Desinstalar o Quantivo.lnk" "$INSTDIR\Desinstalar.exe"

  WriteRegStr HKLM "Software\Quantivo" "Pasta" "$INSTDIR"
  WriteRegStr HKLM "${CHAVE_DESINSTALAR}" "DisplayName" "Quantivo"
  WriteRegStr HKLM "${CHAVE_DESINSTALAR}" "DisplayVersion" "${VERSAO}"
  WriteRegStr HKLM "${CHAVE_DESINSTALAR}" "Publisher" "${FORNECEDOR}"
  WriteRegStr HKLM "${CHAVE_DESINSTALAR}" "DisplayIcon" "$INSTDIR\quantivo.exe"
  WriteRegStr HKLM "${CHAVE_DESINSTALAR}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${CHAVE_DESINSTALAR}" "UninstallString" '"$INSTDIR\Desinstalar.exe"'
  WriteRegStr HKLM "${CHAVE_DESINSTALAR}" "QuietUninstallString" '"$INSTDIR\Desinstalar.exe" /S'
  WriteRegDWORD HKLM "${CHAVE_DESINSTALAR}" "NoModify" 1
  WriteRegDWORD HKLM "${CHAVE_DESINSTALAR}" "NoRepair" 1
  WriteRegDWORD HKLM "${CHAVE_DESINSTALAR}" "EstimatedSize" ${TAMANHO_KB}
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$INSTDIR\quantivo.exe"
  Delete "$INSTDIR\quantivo-batch.exe"
  Delete "$INSTDIR\libxlsxwriter.dll"
  Delete "$INSTDIR\Manual_Quantivo.pdf"
  Delete "$INSTDIR\translations\qtbase_pt_BR.qm"
  RMDir "$INSTDIR\translations"
  Delete "$INSTDIR\Desinstalar.exe"
  ; Not /r: the clerk's valida.ini, when it was saved here, is kept.
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Quantivo\Quantivo.lnk"
  Delete "$SMPROGRAMS\Quantivo\Manual do Quantivo.lnk"
  Delete "$SMPROGRAMS\Quantivo\Desinstalar o Quantivo.lnk"
  RMDir "$SMPROGRAMS\Quantivo"
  DeleteRegKey HKLM "${CHAVE_DESINSTALAR}"
  DeleteRegKey HKLM "Software\Quantivo"
SectionEnd

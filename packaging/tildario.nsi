; Tildario's per-user installer, built by the "release" target (packaging/release.cmake):
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.0.0.2 -DTARGET=amd64-unicode
;            -DFILES=<folder with the shipped files> -DICON=resources/tildario.ico
;            -DOUTFILE=Tildario-1.0.0.2-win64-setup.exe tildario.nsi
; TARGET is the installer's own architecture: amd64-unicode for the 64-bit program,
; x86-unicode for the 32-bit one.
; It needs no administrator rights: the program goes under the user's own folders and the
; uninstall entry under HKCU. /S installs silently, /D=<folder> chooses the folder.

Target ${TARGET}
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include MUI2.nsh
!include FileFunc.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tildario"
!define PUBLISHER "Tildario project"
!define UNINSTALLER "Desinstalar.exe"
; The running program is found by its hidden dialog.
!define DIALOG_CLASS "#32770"
!define DIALOG_TITLE "Texto traducido desde clipboard"

Name "Tildario"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Tildario"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Tildario ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\Tildario.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Iniciar Tildario ahora"

!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Spanish"

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_SPANISH} "ProductName" "Tildario"
VIAddVersionKey /LANG=${LANG_SPANISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_SPANISH} "FileDescription" "Instalador de Tildario"
VIAddVersionKey /LANG=${LANG_SPANISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SPANISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SPANISH} "LegalCopyright" "Copyright (C) the Tildario project"

; A running Tildario keeps its files open. The installer and the uninstaller never end it
; themselves: they ask the user to quit it, and give up when asked to (and when silent).
!macro WAIT_UNTIL_TILDARIO_QUITS un
Function ${un}wait_until_tildario_quits
  check:
    FindWindow $0 "${DIALOG_CLASS}" "${DIALOG_TITLE}"
    StrCmp $0 0 done
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "Tildario está en marcha. Ciérrelo con «Quitar» en el menú de su icono y pulse Reintentar." \
      /SD IDCANCEL IDRETRY check
    Abort
  done:
FunctionEnd
!macroend
!insertmacro WAIT_UNTIL_TILDARIO_QUITS ""
!insertmacro WAIT_UNTIL_TILDARIO_QUITS "un."

Section "Tildario" section_program
  SectionIn RO
  IfFileExists "$INSTDIR\Tildario.exe" 0 +2
    Call wait_until_tildario_quits

  SetOutPath "$INSTDIR"
  File "${FILES}/Tildario.exe"
  File "${FILES}/diccionario.log"
  File "${FILES}/diccionario.idx"
  File "${FILES}/diccionario-NOTICE.txt"
  File "${FILES}/LICENSE"
  File "${FILES}/LEEME.txt"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  CreateShortcut "$SMPROGRAMS\Tildario.lnk" "$INSTDIR\Tildario.exe"
  ; Put back by the next section when chosen; a reinstall without it takes it away.
  Delete "$SMSTARTUP\Tildario.lnk"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Tildario"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tildario.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Iniciar Tildario con Windows" section_startup
  CreateShortcut "$SMSTARTUP\Tildario.lnk" "$INSTDIR\Tildario.exe"
SectionEnd

Function un.onInit
  Call un.wait_until_tildario_quits
FunctionEnd

; Removes what the installer made, by name: files the user put in the folder stay, and so
; does the folder then.
Section "Uninstall"
  Delete "$INSTDIR\Tildario.exe"
  Delete "$INSTDIR\diccionario.log"
  Delete "$INSTDIR\diccionario.idx"
  Delete "$INSTDIR\diccionario-NOTICE.txt"
  Delete "$INSTDIR\LICENSE"
  Delete "$INSTDIR\LEEME.txt"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"

  ; The default folder's parent, when the installer had to make it: RMDir leaves a folder that
  ; holds anything.
  RMDir "$LOCALAPPDATA\Programs"

  Delete "$SMPROGRAMS\Tildario.lnk"
  Delete "$SMSTARTUP\Tildario.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"

  Call un.remove_own_copy
SectionEnd

; The uninstaller runs from a copy of itself in $TEMP\~nsu*.tmp, which NSIS leaves to be deleted
; at the next restart; asking for that needs administrator rights, so for this user it would
; stay. A hidden command removes the copy's folder once this process has ended. Only that
; folder: when run any other way (in place with _?=) nothing is done.
Function un.remove_own_copy
  ${GetParent} "$EXEDIR" $0
  ${GetFileName} "$EXEDIR" $1
  StrCpy $1 $1 4
  StrCmp $0 $TEMP 0 done
  StrCmp $1 "~nsu" 0 done
  ; The command's working folder, which must not be the one it removes.
  SetOutPath "$TEMP"
  ExecShell "" "$SYSDIR\cmd.exe" \
    '/d /q /c for /l %i in (1,1,30) do (ping -n 2 127.0.0.1 >nul & rmdir /s /q "$EXEDIR" 2>nul & if not exist "$EXEDIR" exit)' \
    SW_HIDE
  done:
FunctionEnd

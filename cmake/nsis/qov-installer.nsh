; QOV's own steps in the installer and the uninstaller, included by
; CPack's NSIS template (see Package.cmake) after the languages are defined.
;
; The installer may be a 32-bit program (the NSIS that Windows users install
; makes only those) installing a 64-bit one: it refuses 32-bit Windows and
; reads and writes the 64-bit registry view, where Windows keeps the
; entries of 64-bit programs.
!include LogicLib.nsh
!include x64.nsh

; Replacing or deleting qov.exe while it runs fails half-way (Windows keeps a
; running program's file), so both wait until every QOV window is closed.
; Silent (/S), there is nobody to ask: they end with an error instead.
!macro QOV_WAIT_UNTIL_CLOSED_FUNCTION UN
Function ${UN}QovWaitUntilClosed
  retry:
  FindWindow $0 "QOV.MainWindow"
  ${If} $0 <> 0
    ${If} $LANGUAGE = ${LANG_JAPANESE}
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "QOV が起動しています。$\n$\nQOV を終了してから［再試行］を押してください。" /SD IDCANCEL IDRETRY retry
    ${Else}
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "QOV is running.$\n$\nClose QOV, then choose Retry." /SD IDCANCEL IDRETRY retry
    ${EndIf}
    Abort
  ${EndIf}
FunctionEnd
!macroend
!insertmacro QOV_WAIT_UNTIL_CLOSED_FUNCTION ""
!insertmacro QOV_WAIT_UNTIL_CLOSED_FUNCTION "un."

!macro QOV_ON_INIT
  ${IfNot} ${RunningX64}
    ${If} $LANGUAGE = ${LANG_JAPANESE}
      MessageBox MB_OK|MB_ICONSTOP "QOV には 64 ビット版の Windows 10 または 11 が必要です。" /SD IDOK
    ${Else}
      MessageBox MB_OK|MB_ICONSTOP "QOV needs 64-bit Windows 10 or 11." /SD IDOK
    ${EndIf}
    Abort
  ${EndIf}
  SetRegView 64
  Call QovWaitUntilClosed
!macroend

!macro QOV_UN_ON_INIT
  SetRegView 64
  Call un.QovWaitUntilClosed
!macroend

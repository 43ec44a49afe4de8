; Windows installer of the program, built by cmake/installer.cmake:
;   makensis -DVM_VERSION=3.0 -DVM_VERSION_QUAD=3.0.0.0 -DVM_FILES=files.nsh
;            -DVM_OUTFILE=Vidmorph-3.0-setup.exe -DVM_ICON=vidmorph.ico vidmorph.nsi
; VM_FILES comes from stage_app.py: the staged application folder as File
; lines for the installer and Delete lines for the uninstaller.
;
; Uninstaller switches: /S (silent), /REMOVESETTINGS (remove the settings
; files "Option.dat" and "Vidmorph.ini" too). A silent uninstall keeps them
; unless /REMOVESETTINGS is given; an interactive one asks.

Unicode true
; The program is 64-bit only, so is its installer: Program Files and the
; registry are then the native ones.
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel admin
; The build may pick a faster one (cmake -DVM_INSTALLER_COMPRESSOR=zlib).
!ifndef VM_COMPRESSOR
  !define VM_COMPRESSOR lzma
!endif
SetCompressor /SOLID ${VM_COMPRESSOR}

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define PRODUCT "Ostrel AVI Converter"
!define PUBLISHER "Vidmorph team"
!define HOMEPAGE "https://vidmorph.example/"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vidmorph"
!define UNINSTALLER "uninstall.exe"
; BUILTIN\Users by SID: group names are translated on non-English systems.
!define USERS_SID "*S-1-5-32-545"

Name "${PRODUCT} ${VM_VERSION}"
OutFile "${VM_OUTFILE}"
InstallDir "$PROGRAMFILES64\Vidmorph"
InstallDirRegKey HKLM "${UNINST_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VM_VERSION}"

VIProductVersion "${VM_VERSION_QUAD}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VM_VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VM_VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VM_VERSION} Setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${VM_ICON}"
!define MUI_UNICON "${VM_ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

!include /CHARSET=UTF8 "${VM_FILES}"

Var keptLanguage
Var removeSettings

; Lets BUILTIN\Users modify one file: the program writes its settings and its
; language choice beside itself, in a folder only administrators may change.
!macro GrantUsersModify FILE
  nsExec::ExecToLog '"$SYSDIR\icacls.exe" "${FILE}" /grant ${USERS_SID}:(M)'
  Pop $0
  ${If} $0 != 0
    DetailPrint "icacls could not give users write access to ${FILE} ($0)"
  ${EndIf}
!macroend

; A settings file users may change, empty (all defaults) unless kept from
; an earlier installation.
!macro SettingsFile NAME
  ${IfNot} ${FileExists} "$INSTDIR\${NAME}"
    FileOpen $0 "$INSTDIR\${NAME}" w
    FileClose $0
  ${EndIf}
  !insertmacro GrantUsersModify "$INSTDIR\${NAME}"
!macroend

Function .onInit
  SetShellVarContext all
FunctionEnd

Section "-Program"
  SectionIn RO
  ; An update keeps the language the user chose.
  ReadINIStr $keptLanguage "$INSTDIR\mlg.txt" "mlg" "curlg"
  !insertmacro VM_INSTALL_FILES
  ${If} $keptLanguage != ""
    WriteINIStr "$INSTDIR\mlg.txt" "mlg" "curlg" $keptLanguage
  ${EndIf}

  ; The program rewrites its settings files in place when it may not create
  ; files in its folder.
  !insertmacro SettingsFile "Option.dat"
  !insertmacro SettingsFile "Vidmorph.ini"
  ; The journal of a run, which the program keeps open while it converts.
  !insertmacro SettingsFile "Vidmorph.journal"
  !insertmacro GrantUsersModify "$INSTDIR\mlg.txt"

  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Vidmorph.exe"

  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayVersion" "${VM_VERSION}"
  WriteRegStr HKLM "${UNINST_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINST_KEY}" "URLInfoAbout" "${HOMEPAGE}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\Vidmorph.exe"
  WriteRegStr HKLM "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINST_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKLM "${UNINST_KEY}" "EstimatedSize" $0
SectionEnd

Section "Desktop shortcut" SecDesktop
  CreateShortCut "$DESKTOP\${PRODUCT}.lnk" "$INSTDIR\Vidmorph.exe"
SectionEnd

Function un.onInit
  SetShellVarContext all
  StrCpy $removeSettings 0
  ${un.GetParameters} $0
  ClearErrors
  ${un.GetOptions} $0 "/REMOVESETTINGS" $1
  ${IfNot} ${Errors}
    StrCpy $removeSettings 1
  ${EndIf}
FunctionEnd

Section "Uninstall"
  ${If} $removeSettings == 0
  ${AndIf} ${FileExists} "$INSTDIR\Option.dat"
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
      "Remove your settings (Option.dat) as well?" /SD IDNO IDNO keep
    StrCpy $removeSettings 1
    keep:
  ${EndIf}

  !insertmacro VM_UNINSTALL_FILES
  Delete "$INSTDIR\Option.dat.tmp"
  Delete "$INSTDIR\Vidmorph.ini.tmp"
  ; A run's journal is no setting: it goes whatever the answer.
  Delete "$INSTDIR\Vidmorph.journal"
  Delete "$INSTDIR\Vidmorph.journal.damaged"
  ${If} $removeSettings == 1
    Delete "$INSTDIR\Option.dat"
    Delete "$INSTDIR\Vidmorph.ini"
  ${EndIf}
  Delete "$INSTDIR\${UNINSTALLER}"
  ; Only when empty: a folder the user picked may hold other things.
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$DESKTOP\${PRODUCT}.lnk"
  DeleteRegKey HKLM "${UNINST_KEY}"
SectionEnd

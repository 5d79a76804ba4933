; Voltanor's Windows installer (NSIS, Modern UI, Brazilian Portuguese).
; scripts/package.sh builds it with the generated files in ${GERADOS}:
;   versao.nsh     !define VERSION, from CMake's project version
;   ini.nsh        one IniKey line per key of data/ORAVIX.INI
;   dados.nsh      one DataFile line per voice data file
;   licencas.txt   our licence, MBROLA's and br1's notice, shown on a page
; and ${PROGRAMA} (the i686 build tree), ${DADOS} (the generated voice data),
; ${BR1} (the br1 voice file), ${VOZ} (the generated voice data's "som"
; folder, which the installer's own voice speaks from: installer/fala.nsh).
;
; What it adds is recorded under HKLM\${REGISTRO} (files, folders, settings
; keys, registry keys; each value's data is the run that added it), so that
; the uninstaller, and a failed installation's undo, remove exactly that and
; keep whatever was there before.

Unicode true
!ifdef SEM_COMPRESSAO
  SetCompress off  ; quicker to build, for the tests' earlier version
!else
  SetCompressor /SOLID lzma
!endif
RequestExecutionLevel admin
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include Sections.nsh
!include FileFunc.nsh
!include "${GERADOS}\versao.nsh"
!include /CHARSET=UTF8 "textos.nsh"

!define REGISTRO "Software\Voltanor\Instalacao"
!define DESINSTALACAO "Software\Microsoft\Windows\CurrentVersion\Uninstall\Voltanor"
!define INI "$WINDIR\ORAVIX.INI"
!define BR1_CHAVE "SOFTWARE\TCTS\Mbrola\databases\BR1"
!define INICIAR "Software\Microsoft\Windows\CurrentVersion\Run"
!define ATALHO "$SMPROGRAMS\${TITULO}.lnk"
!define ATALHO_CONFIGURAR "$SMPROGRAMS\Configurar o Voltanor.lnk"
!define ATALHO_MANUAL "$SMPROGRAMS\Manual do Voltanor.lnk"

Name "Voltanor ${VERSION}"
Caption "Instalação do Voltanor ${VERSION}"
UninstallCaption "Remoção do Voltanor ${VERSION}"
OutFile "${SAIDA}"
InstallDir "$PROGRAMFILES\Voltanor"
BrandingText "Voltanor ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1046 "ProductName" "Voltanor"
VIAddVersionKey /LANG=1046 "FileDescription" "Instalação do Voltanor"
VIAddVersionKey /LANG=1046 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1046 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1046 "CompanyName" "Projeto Voltanor"
VIAddVersionKey /LANG=1046 "LegalCopyright" "Licença MIT; MBROLA: AGPL-3"

Var RunId        ; marks what this run added
Var IniCriado    ; 1 when this run wrote the settings file whole
Var DirLetras
Var DirDifones
Var DirFala

; ---- Pages: standard dialogs only, each with its default button; each
; says itself (installer/fala.nsh) ----
!define MUI_CUSTOMFUNCTION_ABORT FalaSair
!define MUI_CUSTOMFUNCTION_UNABORT un.FalaSair
!define MUI_FINISHPAGE_RUN "$INSTDIR\voltanor.exe"
!define MUI_FINISHPAGE_RUN_NOTCHECKED
!define MUI_FINISHPAGE_NOAUTOCLOSE
!define MUI_UNFINISHPAGE_NOAUTOCLOSE
!define MUI_COMPONENTSPAGE_SMALLDESC
!define MUI_PAGE_CUSTOMFUNCTION_SHOW FalaBoasVindas
!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_CUSTOMFUNCTION_SHOW FalaLicenca
!insertmacro MUI_PAGE_LICENSE "${GERADOS}\licencas.txt"
!define MUI_PAGE_CUSTOMFUNCTION_SHOW FalaComponentes
!insertmacro MUI_PAGE_COMPONENTS
!define MUI_PAGE_CUSTOMFUNCTION_SHOW FalaPasta
!insertmacro MUI_PAGE_DIRECTORY
!define MUI_PAGE_CUSTOMFUNCTION_SHOW FalaInstalando
!insertmacro MUI_PAGE_INSTFILES
!define MUI_PAGE_CUSTOMFUNCTION_SHOW FalaFim
!insertmacro MUI_PAGE_FINISH
!define MUI_PAGE_CUSTOMFUNCTION_SHOW un.FalaConfirmacao
!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_PAGE_CUSTOMFUNCTION_SHOW un.FalaRemovendo
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "PortugueseBR"

!include "fala.nsh"

; ---- Recording what was added ----

; Record KIND NAME: NAME (a path, a key, a settings key) was added by this run.
!macro Record KIND NAME
  WriteRegStr HKLM "${REGISTRO}\${KIND}" "${NAME}" $RunId
!macroend

; A file write that fails undoes the run: a message (none in silent mode),
; exit code 2.  $R9 names what could not be written.
!macro FailOnError
  ${If} ${Errors}
    Call Fail
  ${EndIf}
!macroend

Function Fail
  Call Undo
  !insertmacro FalaCaixa "${NAO_GRAVOU}" ok
  MessageBox MB_OK|MB_ICONSTOP "${NAO_GRAVOU}" /SD IDOK
  SetErrorLevel 2
  Quit
FunctionEnd

; MakeDir: creates the folder in $R9 and its missing parents, recording each.
Function MakeDir
  ${IfNot} ${FileExists} "$R9\*.*"
    Push $R9
    ; The parent: everything before the last backslash.
    StrLen $0 $R9
    ${Do}
      IntOp $0 $0 - 1
      StrCpy $1 $R9 1 $0
      ${If} $1 == "\"
      ${OrIf} $0 <= 2
        ${ExitDo}
      ${EndIf}
    ${Loop}
    StrCpy $R9 $R9 $0
    ${If} $0 > 2
      Call MakeDir
    ${EndIf}
    Pop $R9
    ClearErrors
    CreateDirectory $R9
    ${IfNot} ${FileExists} "$R9\*.*"
      SetErrors
    ${EndIf}
    !insertmacro FailOnError
    !insertmacro Record Pastas $R9
  ${EndIf}
FunctionEnd

; DataFile DIR NAME SOURCE: puts SOURCE at DIR\NAME unless a file of someone
; else's is already there (one of an earlier installation is replaced).
!macro DataFile DIR NAME SOURCE
  StrCpy $R9 "${DIR}\${NAME}"
  Call MayWrite
  ${If} $R8 == 1
    File /nonfatal "/oname=$R9" "${SOURCE}"
    Call Written
  ${EndIf}
!macroend

Function MayWrite
  StrCpy $R8 1
  ${If} ${FileExists} $R9
    ClearErrors
    ReadRegStr $R8 HKLM "${REGISTRO}\Arquivos" $R9
    ${If} ${Errors}
      StrCpy $R8 0
    ${Else}
      StrCpy $R8 1
    ${EndIf}
  ${EndIf}
  ClearErrors
FunctionEnd

Function Written
  ${If} ${Errors}
    Delete $R9  ; what was written of it
    Call Fail
  ${EndIf}
  ClearErrors
  ReadRegStr $R8 HKLM "${REGISTRO}\Arquivos" $R9
  ${If} ${Errors}
    !insertmacro Record Arquivos $R9
  ${EndIf}
FunctionEnd

; IniKey SECTION KEY VALUE: adds the key when the settings file lacks it.
!macro IniKey SECTION KEY VALUE
  ClearErrors
  ReadINIStr $R9 "${INI}" "${SECTION}" "${KEY}"
  ${If} ${Errors}
    StrCpy $R9 "${INI}"
    ClearErrors
    WriteINIStr "${INI}" "${SECTION}" "${KEY}" "${VALUE}"
    !insertmacro FailOnError
    !insertmacro Record "INI\${SECTION}" "${KEY}"
  ${ElseIf} $IniCriado == 1
    !insertmacro Record "INI\${SECTION}" "${KEY}"
  ${EndIf}
!macroend

; DataDir SECTION KEY DEFAULT VAR: the folder a setting names (an absolute
; path such as C:\...), or DEFAULT; without the last backslash.
!macro DataDir SECTION KEY DEFAULT VAR
  ReadINIStr $0 "${INI}" "${SECTION}" "${KEY}"
  StrCpy $1 $0 2 1
  ${If} $1 != ":\"
    StrCpy $0 "${DEFAULT}"
  ${EndIf}
  StrCpy $1 $0 1 -1
  ${If} $1 == "\"
    StrCpy $0 $0 -1
  ${EndIf}
  StrCpy ${VAR} $0
!macroend

; ---- Removing what was recorded: the uninstaller removes everything, a
; failed run only what it added itself ($R6 = its run id, or empty). ----
; Mine: $9 = 1 when the record whose data is $1 is to be removed now.
!macro Mine
  StrCpy $9 0
  ${If} $R6 == ""
  ${OrIf} $R6 == $1
    StrCpy $9 1
  ${EndIf}
!macroend

!macro RemovalFunctions UN
Function ${UN}RemoveFiles
  StrCpy $2 0
  ${Do}
    ClearErrors
    EnumRegValue $0 HKLM "${REGISTRO}\Arquivos" $2
    ${If} ${Errors}
    ${OrIf} $0 == ""
      ${Break}
    ${EndIf}
    ReadRegStr $1 HKLM "${REGISTRO}\Arquivos" $0
    !insertmacro Mine
    ${If} $9 == 1
      Delete $0
    ${EndIf}
    ${If} $9 == 1
    ${AndIfNot} ${FileExists} $0
      DeleteRegValue HKLM "${REGISTRO}\Arquivos" $0
    ${Else}
      ${If} $9 == 1
        StrCpy $R5 $0  ; could not be removed: kept on record, and told
      ${EndIf}
      IntOp $2 $2 + 1
    ${EndIf}
  ${Loop}
FunctionEnd

; Folders and registry keys go deepest first: each pass removes those that
; have become empty.
Function ${UN}RemoveFolders
  ${For} $3 1 8
    StrCpy $2 0
    ${Do}
      ClearErrors
      EnumRegValue $0 HKLM "${REGISTRO}\Pastas" $2
      ${If} ${Errors}
      ${OrIf} $0 == ""
        ${Break}
      ${EndIf}
      ReadRegStr $1 HKLM "${REGISTRO}\Pastas" $0
      !insertmacro Mine
      ${If} $9 == 1
        RMDir $0
        ${IfNot} ${FileExists} "$0\*.*"
          StrCpy $9 gone
        ${EndIf}
      ${EndIf}
      ${If} $9 == gone
        DeleteRegValue HKLM "${REGISTRO}\Pastas" $0
      ${Else}
        IntOp $2 $2 + 1
      ${EndIf}
    ${Loop}
  ${Next}
FunctionEnd

Function ${UN}RemoveKeys
  ${For} $3 1 8
    StrCpy $2 0
    ${Do}
      ClearErrors
      EnumRegValue $0 HKLM "${REGISTRO}\Chaves" $2
      ${If} ${Errors}
      ${OrIf} $0 == ""
        ${Break}
      ${EndIf}
      ReadRegStr $1 HKLM "${REGISTRO}\Chaves" $0
      !insertmacro Mine
      ${If} $9 == 1
        DeleteRegValue HKLM $0 ""
        DeleteRegKey /ifempty HKLM $0
        EnumRegKey $4 HKLM $0 0
        EnumRegValue $8 HKLM $0 0
        ${If} "$4$8" == ""
          StrCpy $9 gone
        ${EndIf}
      ${EndIf}
      ${If} $9 == gone
        DeleteRegValue HKLM "${REGISTRO}\Chaves" $0
      ${Else}
        IntOp $2 $2 + 1
      ${EndIf}
    ${Loop}
  ${Next}
FunctionEnd

; Settings keys this installation added; a section left without keys goes, and
; so does a settings file this installation wrote that has no section left.
Function ${UN}RemoveSettings
  StrCpy $5 0
  ${Do}
    ClearErrors
    EnumRegKey $4 HKLM "${REGISTRO}\INI" $5
    ${If} ${Errors}
    ${OrIf} $4 == ""
      ${Break}
    ${EndIf}
    StrCpy $2 0
    ${Do}
      ClearErrors
      EnumRegValue $0 HKLM "${REGISTRO}\INI\$4" $2
      ${If} ${Errors}
      ${OrIf} $0 == ""
        ${Break}
      ${EndIf}
      ReadRegStr $1 HKLM "${REGISTRO}\INI\$4" $0
      !insertmacro Mine
      ${If} $9 == 1
        DeleteINIStr "${INI}" $4 $0
        DeleteRegValue HKLM "${REGISTRO}\INI\$4" $0
      ${Else}
        IntOp $2 $2 + 1
      ${EndIf}
    ${Loop}
    System::Call 'kernel32::GetPrivateProfileSectionW(w r4, w .r6, i ${NSIS_MAX_STRLEN}, w "${INI}") i .r7'
    ${If} $7 == 0
      DeleteINISec "${INI}" $4
    ${EndIf}
    DeleteRegKey /ifempty HKLM "${REGISTRO}\INI\$4"
    EnumRegValue $0 HKLM "${REGISTRO}\INI\$4" 0
    ${If} $0 != ""
      IntOp $5 $5 + 1  ; still holds keys of another run
    ${EndIf}
  ${Loop}
  ClearErrors
  ReadRegStr $1 HKLM "${REGISTRO}" "IniCriado"
  ${If} ${Errors}
    StrCpy $9 0
  ${Else}
    !insertmacro Mine
  ${EndIf}
  ${If} $9 == 1
    System::Call 'kernel32::GetPrivateProfileSectionNamesW(w .r6, i ${NSIS_MAX_STRLEN}, w "${INI}") i .r7'
    ${If} $7 == 0
      Delete "${INI}"
    ${EndIf}
    DeleteRegValue HKLM "${REGISTRO}" "IniCriado"
  ${EndIf}
FunctionEnd

Function ${UN}RemoveRecorded
  Call ${UN}RemoveSettings
  Call ${UN}RemoveFiles
  Call ${UN}RemoveFolders
  Call ${UN}RemoveKeys
  ClearErrors
  ReadRegStr $1 HKLM "${REGISTRO}" "Iniciar"
  ${If} ${Errors}
    StrCpy $9 0
  ${Else}
    !insertmacro Mine
  ${EndIf}
  ${If} $9 == 1
    DeleteRegValue HKLM "${INICIAR}" "Voltanor"
    DeleteRegValue HKLM "${REGISTRO}" "Iniciar"
  ${EndIf}
  DeleteRegKey /ifempty HKLM "${REGISTRO}\Arquivos"
  DeleteRegKey /ifempty HKLM "${REGISTRO}\Pastas"
  DeleteRegKey /ifempty HKLM "${REGISTRO}\Chaves"
  DeleteRegKey /ifempty HKLM "${REGISTRO}\INI"
  DeleteRegKey /ifempty HKLM "${REGISTRO}"
  DeleteRegKey /ifempty HKLM "Software\Voltanor"
FunctionEnd
!macroend
!insertmacro RemovalFunctions ""
!insertmacro RemovalFunctions "un."

Function Undo
  SetOutPath $TEMP  ; the program folder cannot go while it is the current one
  StrCpy $R6 $RunId
  Call RemoveRecorded
  ; The uninstall entry is written last: a failed first installation has none.
FunctionEnd

; ---- The battery watcher: ended before a file is written or removed (on
; Windows a running program's files, and the voice files it holds open, can be
; neither replaced nor removed), started again for the person logged on. ----
!define PARAR_ESPERA 10000  ; ms for the watcher's process to end
!macro StopWatcherFunction UN
; The same word as /parar (fala.dll, platform/between_processes), then until
; the program file can be opened for writing: the process that held it is gone.
Function ${UN}StopWatcher
  fala::PararAviso ${PARAR_ESPERA}
  Pop $0
  StrCpy $3 1
  ${If} ${FileExists} "$INSTDIR\voltanor.exe"
    StrCpy $3 0
    ${For} $1 1 50
      ClearErrors
      FileOpen $2 "$INSTDIR\voltanor.exe" a
      ${IfNot} ${Errors}
        FileClose $2
        StrCpy $3 1
        ${ExitFor}
      ${EndIf}
      Sleep 200
    ${Next}
  ${EndIf}
  ${If} $3 == 0
    !insertmacro FalaCaixa "${AINDA_ATIVO}" ok
    MessageBox MB_OK|MB_ICONSTOP "${AINDA_ATIVO}" /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
FunctionEnd
!macroend
!insertmacro StopWatcherFunction ""
!insertmacro StopWatcherFunction "un."

; One installer or uninstaller at a time.
!macro OneAtATime
  System::Call 'kernel32::CreateMutexW(p 0, i 0, w "VoltanorInstalacao") p .r0 ?e'
  Pop $1
  ${If} $1 == 183
    !insertmacro FalaCaixa "${JA_RODANDO}" ok
    MessageBox MB_OK|MB_ICONSTOP "${JA_RODANDO}" /SD IDOK
    SetErrorLevel 3
    Abort
  ${EndIf}
!macroend

; NewKey KEY: records KEY when it has neither subkeys nor values (missing,
; or empty: then ours to remove once empty again).
!macro NewKey KEY
  EnumRegKey $3 HKLM "${KEY}" 0
  EnumRegValue $4 HKLM "${KEY}" 0
  ${If} "$3$4" == ""
    !insertmacro Record Chaves "${KEY}"
  ${EndIf}
!macroend

; ---- Installation ----

Section "${SECAO_PROGRAMA}" SecPrograma
  SectionIn RO
  SetShellVarContext all
  Call StopWatcher
  System::Call 'kernel32::GetTickCount() i .r0'
  System::Call 'kernel32::GetCurrentProcessId() i .r1'
  StrCpy $RunId "$0-$1"

  ; The settings file: whole when there is none, else only what it lacks.
  StrCpy $IniCriado 0
  ${IfNot} ${FileExists} "${INI}"
    StrCpy $R9 "${INI}"
    ClearErrors
    File /nonfatal "/oname=${INI}" "${DADOS}\ORAVIX.INI"
    !insertmacro FailOnError
    StrCpy $IniCriado 1
    WriteRegStr HKLM "${REGISTRO}" "IniCriado" $RunId
  ${EndIf}
  !include "${GERADOS}\ini.nsh"

  ; The voice data where the settings point.
  !insertmacro DataDir TRADUTOR DIRLETRAS "C:\kelmar\som\letras" $DirLetras
  !insertmacro DataDir TRADUTOR DIRDIFONES "C:\kelmar\som\difones" $DirDifones
  !insertmacro DataDir TAVINTTS DIR "C:\kelmar\tavintts" $DirFala
  StrCpy $R9 $DirLetras
  Call MakeDir
  StrCpy $R9 $DirDifones
  Call MakeDir
  StrCpy $R9 "$DirFala\br1"
  Call MakeDir
  !include "${GERADOS}\dados.nsh"
  !insertmacro DataFile "$DirFala\br1" "br1" "${BR1}"

  ; The br1 voice's registry entry, unless there is one already.
  ClearErrors
  ReadRegStr $0 HKLM "${BR1_CHAVE}" ""
  ${If} ${Errors}
    ; Each key of the path that is not there yet is recorded.
    !insertmacro NewKey "SOFTWARE\TCTS"
    !insertmacro NewKey "SOFTWARE\TCTS\Mbrola"
    !insertmacro NewKey "SOFTWARE\TCTS\Mbrola\databases"
    !insertmacro NewKey "${BR1_CHAVE}"
    StrCpy $R9 "HKLM\${BR1_CHAVE}"
    ClearErrors
    WriteRegStr HKLM "${BR1_CHAVE}" "" "$DirFala\br1\br1"
    !insertmacro FailOnError
  ${EndIf}

  ; The program.
  StrCpy $R9 $INSTDIR
  Call MakeDir
  SetOutPath $INSTDIR
  !insertmacro DataFile $INSTDIR "voltanor.exe" "${PROGRAMA}\voltanor.exe"
  !insertmacro DataFile $INSTDIR "mbrola.dll" "${PROGRAMA}\mbrola.dll"
  StrCpy $R9 "$INSTDIR\licencas"
  Call MakeDir
  !insertmacro DataFile "$INSTDIR\licencas" "licencas.txt" "${GERADOS}\licencas.txt"
  !insertmacro DataFile "$INSTDIR\licencas" "AGPL-3.txt" "${GERADOS}\AGPL-3.txt"
  !insertmacro DataFile $INSTDIR "manual.txt" "${DADOS}\manual.txt"
  StrCpy $R9 "$INSTDIR\desinstalar.exe"
  ClearErrors
  WriteUninstaller $R9
  Call Written

  ; The shortcut, started with Ctrl+Alt+Shift+B from anywhere.
  StrCpy $R9 "${ATALHO}"
  ClearErrors
  CreateShortCut "${ATALHO}" "$INSTDIR\voltanor.exe" "" "$INSTDIR\voltanor.exe" 0 SW_SHOWNORMAL \
    ALT|CONTROL|SHIFT|B "${TITULO}"
  Call Written
  ; Beside it, the settings menu, started with Ctrl+Alt+Shift+C (C for
  ; configurar: Shift added, as for the report, makes keys that neither
  ; Windows nor the screen readers use, and that type nothing on the
  ; Brazilian keyboard, where Ctrl+Alt is AltGr), and the manual read aloud by
  ; the program's own voice (the file stays plain text beside it, for Notepad).
  StrCpy $R9 "${ATALHO_CONFIGURAR}"
  ClearErrors
  CreateShortCut "${ATALHO_CONFIGURAR}" "$INSTDIR\voltanor.exe" "/configurar" "$INSTDIR\voltanor.exe" 0 SW_SHOWNORMAL \
    ALT|CONTROL|SHIFT|C "Configurar o Voltanor"
  Call Written
  StrCpy $R9 "${ATALHO_MANUAL}"
  ClearErrors
  CreateShortCut "${ATALHO_MANUAL}" "$INSTDIR\voltanor.exe" "/manual" "$INSTDIR\voltanor.exe" 0 SW_SHOWNORMAL \
    "" "Manual do Voltanor"
  Call Written

  ; The entry in Apps and features, written last.
  StrCpy $R9 "HKLM\${DESINSTALACAO}"
  ClearErrors
  WriteRegStr HKLM "${DESINSTALACAO}" "DisplayName" "${TITULO}"
  !insertmacro FailOnError
  WriteRegStr HKLM "${DESINSTALACAO}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${DESINSTALACAO}" "Publisher" "Projeto Voltanor"
  WriteRegStr HKLM "${DESINSTALACAO}" "DisplayIcon" "$INSTDIR\voltanor.exe"
  WriteRegStr HKLM "${DESINSTALACAO}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${DESINSTALACAO}" "UninstallString" '"$INSTDIR\desinstalar.exe"'
  WriteRegStr HKLM "${DESINSTALACAO}" "QuietUninstallString" '"$INSTDIR\desinstalar.exe" /S'
  WriteRegDWORD HKLM "${DESINSTALACAO}" "NoModify" 1
  WriteRegDWORD HKLM "${DESINSTALACAO}" "NoRepair" 1
  SectionGetSize ${SecPrograma} $0
  WriteRegDWORD HKLM "${DESINSTALACAO}" "EstimatedSize" $0
SectionEnd

; Ticked by default: the warnings are what a battery announcer is installed
; for, and the watcher costs almost nothing while it waits.
; For every user of the computer (the machine's Run key): an elevated
; installer's HKCU would be the administrator's, not the user's.  "/entrada"
; keeps it quiet at logon and lets each user turn it off (the settings menu).
Section "${SECAO_VIGIAR}" SecVigiar
  ClearErrors
  ReadRegStr $0 HKLM "${INICIAR}" "Voltanor"
  ${If} ${Errors}
    WriteRegStr HKLM "${REGISTRO}" "Iniciar" $RunId
  ${EndIf}
  WriteRegStr HKLM "${INICIAR}" "Voltanor" '"$INSTDIR\voltanor.exe" /vigiar /entrada'
  ; An earlier version's entry for the installing user only would start a second one.
  ReadRegStr $0 HKCU "${INICIAR}" "Voltanor"
  StrCpy $1 $0 ${NSIS_MAX_STRLEN} 1
  StrLen $2 "$INSTDIR\voltanor.exe"
  StrCpy $1 $1 $2
  ${If} $1 == "$INSTDIR\voltanor.exe"
    DeleteRegValue HKCU "${INICIAR}" "Voltanor"
  ${EndIf}
SectionEnd

; The progress page's end, said once everything is in place.
Section "-Fim"
  fala::Concluido "$(MUI_TEXT_FINISH_TITLE)" "$(MUI_TEXT_FINISH_SUBTITLE)" "continuar"
SectionEnd

; The watcher's check box, said after what is being said: on its page, and
; each time it is ticked or unticked.
Function FalaVigiar
  SectionGetFlags ${SecVigiar} $0
  IntOp $0 $0 & ${SF_SELECTED}
  fala::Marcado "${SECAO_VIGIAR}" $0
FunctionEnd

Function .onSelChange
  Call FalaVigiar
FunctionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecPrograma} "${DESC_PROGRAMA}"
  !insertmacro MUI_DESCRIPTION_TEXT ${SecVigiar} "${DESC_VIGIAR}"
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; A file that NSIS itself could not finish writing (a full disk) ends the
; installation here: what this run added goes, the half-written file too.
Function .onInstFailed
  Delete $R9
  Call Undo
  SetErrorLevel 2
FunctionEnd

; The warnings begin now, not at the next logon, for the person logged on;
; once the installer has stopped speaking, the watcher says it is on (a
; silent installation starts it as the logon entry does: quiet).
Function .onInstSuccess
  ${If} ${SectionIsSelected} ${SecVigiar}
    StrCpy $1 "/vigiar"
    ${If} ${Silent}
      StrCpy $1 "/vigiar /entrada"
    ${EndIf}
    fala::IniciarAviso "$INSTDIR\voltanor.exe" $1
    Pop $0
    ${If} $0 != 1
      !insertmacro FalaCaixa "${AVISO_DEPOIS}" ok
      MessageBox MB_OK|MB_ICONINFORMATION "${AVISO_DEPOIS}" /SD IDOK
    ${EndIf}
  ${EndIf}
FunctionEnd

Function .onInit
  !insertmacro FalaIniciar
  !insertmacro OneAtATime
  ; Over an earlier installation: its folder, and its choice of watching
  ; (ticked when it started the watcher at logon).
  ClearErrors
  ReadRegStr $0 HKLM "${DESINSTALACAO}" "InstallLocation"
  ${IfNot} ${Errors}
  ${AndIf} $0 != ""
    ${If} $INSTDIR == "$PROGRAMFILES\Voltanor"
      StrCpy $INSTDIR $0
    ${EndIf}
    ClearErrors
    ReadRegStr $0 HKLM "${INICIAR}" "Voltanor"
    ${If} ${Errors}
      ClearErrors
      ReadRegStr $0 HKCU "${INICIAR}" "Voltanor"
    ${EndIf}
    ${If} ${Errors}
      !insertmacro UnselectSection ${SecVigiar}
    ${EndIf}
  ${EndIf}
  ; /VIGIAR ticks it from the command line, /VIGIAR=NAO leaves it out
  ; (silent installations).
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/VIGIAR=" $1
  ${If} ${Errors}
    ClearErrors
    ${GetOptions} $0 "/VIGIAR" $1
    ${IfNot} ${Errors}
      !insertmacro SelectSection ${SecVigiar}
    ${EndIf}
  ${ElseIf} $1 == "NAO"
    !insertmacro UnselectSection ${SecVigiar}
  ${Else}
    !insertmacro SelectSection ${SecVigiar}
  ${EndIf}
FunctionEnd

; ---- Removal ----

Function un.onInit
  !insertmacro un.FalaIniciar
  !insertmacro OneAtATime
FunctionEnd

Section "Uninstall"
  SetShellVarContext all
  Call un.StopWatcher
  StrCpy $R6 ""
  StrCpy $R5 ""
  Call un.RemoveRecorded
  ; The settings menu (or an earlier version) may have written an entry of
  ; this user's own that starts this folder's program: it goes too, and so
  ; does this user's choice of the logon start.
  ReadRegStr $0 HKCU "${INICIAR}" "Voltanor"
  StrCpy $1 $0 ${NSIS_MAX_STRLEN} 1
  StrLen $2 "$INSTDIR\voltanor.exe"
  StrCpy $1 $1 $2
  ${If} $1 == "$INSTDIR\voltanor.exe"
    DeleteRegValue HKCU "${INICIAR}" "Voltanor"
  ${EndIf}
  DeleteRegValue HKCU "Software\Voltanor" "AvisoAoEntrar"
  DeleteRegKey /ifempty HKCU "Software\Voltanor"
  ${If} $R5 != ""
    ; What still holds a file: said and shown, and the removal fails.
    !insertmacro FalaCaixa "${NAO_REMOVEU}" ok
    MessageBox MB_OK|MB_ICONSTOP "${NAO_REMOVEU}" /SD IDOK
    SetErrorLevel 2
  ${EndIf}
  ${IfNot} ${FileExists} "$INSTDIR\desinstalar.exe"
    DeleteRegKey HKLM "${DESINSTALACAO}"
  ${EndIf}
  fala::Concluido "$(MUI_UNTEXT_FINISH_TITLE)" "$(MUI_UNTEXT_FINISH_SUBTITLE)" "fechar"
SectionEnd

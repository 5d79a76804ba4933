; The installer's voice (fala.dll, built with the program; see
; src/installer/fala_plugin_win.cpp): every page, check box, folder and
; message box is said with the default voice, from voice data the installer
; carries into $PLUGINSDIR\fala (removed with $PLUGINSDIR when it ends).
; Silent with /S, with /FALA=NAO, and under a screen reader unless /FALA.
; ${VOZ} is the generated voice data's "som" folder, ${DADOS} data/.

!addplugindir /x86-unicode "${PROGRAMA}"
; The voice speaks at speed 3 (the default of data/ORAVIX.INI): of the diphone
; folder it takes that speed's database, the rules and the exceptions.
!define FALA_DIFONES "DIFONES3"
!macro FalaDifones MACRO
  !insertmacro ${MACRO} "${FALA_DIFONES}.DIF"
  !insertmacro ${MACRO} "${FALA_DIFONES}.IND"
  !insertmacro ${MACRO} "regras.rgr"
  !insertmacro ${MACRO} "portug.exc"
!macroend
!macro FalaReservar NAME
  ReserveFile "${VOZ}\difones\${NAME}"
!macroend
!macro FalaExtrair NAME
  File "${VOZ}\difones\${NAME}"
!macroend
!macro FalaCopiar NAME
  CopyFiles /SILENT "$DirDifones\${NAME}" "$PLUGINSDIR\fala\difones"
!macroend
ReserveFile /plugin fala.dll
ReserveFile "${VOZ}\letras\*.*"
!insertmacro FalaDifones FalaReservar
ReserveFile "${DADOS}\ORAVIX.INI"

; FalaIniciar: the installer's voice from the data it carries.
!macro FalaIniciar
  ${IfNot} ${Silent}
    InitPluginsDir
    SetOutPath "$PLUGINSDIR\fala\letras"
    File "${VOZ}\letras\*.*"
    SetOutPath "$PLUGINSDIR\fala\difones"
    !insertmacro FalaDifones FalaExtrair
    SetOutPath "$PLUGINSDIR\fala"
    File "${DADOS}\ORAVIX.INI"
    SetOutPath $TEMP
    ${GetParameters} $0
    fala::Iniciar "$PLUGINSDIR\fala" $0
    Pop $0
  ${EndIf}
!macroend

; un.FalaIniciar: the uninstaller's voice from a copy of the installed voice
; data (the originals go while it speaks); without them it stays silent.
!macro un.FalaIniciar
  ${IfNot} ${Silent}
    InitPluginsDir
    !insertmacro DataDir TRADUTOR DIRLETRAS "C:\kelmar\som\letras" $DirLetras
    !insertmacro DataDir TRADUTOR DIRDIFONES "C:\kelmar\som\difones" $DirDifones
    CreateDirectory "$PLUGINSDIR\fala\letras"
    CreateDirectory "$PLUGINSDIR\fala\difones"
    CopyFiles /SILENT "$DirLetras\*.*" "$PLUGINSDIR\fala\letras"
    !insertmacro FalaDifones FalaCopiar
    SetOutPath "$PLUGINSDIR\fala"
    File "${DADOS}\ORAVIX.INI"
    SetOutPath $TEMP
    ${GetParameters} $0
    fala::Iniciar "$PLUGINSDIR\fala" $0
    Pop $0
  ${EndIf}
!macroend

; FalaCaixa TEXT ANSWERS: says a message box ("ok" or "simnao") before it waits.
!macro FalaCaixa TEXT ANSWERS
  fala::Caixa "${TEXT}" ${ANSWERS}
!macroend

; The pages.  Each says its heading, its text and its keys; the progress page
; when it starts and, from the last section, when it ends.
!macro FalaFuncoes UN
Function ${UN}FalaSairPerguntando
  !insertmacro FalaCaixa "$R7" simnao
  MessageBox MB_YESNO|MB_ICONQUESTION "$R7" IDYES +2
    Abort
FunctionEnd
!macroend
!insertmacro FalaFuncoes ""
!insertmacro FalaFuncoes "un."

Function FalaSair
  StrCpy $R7 "${SAIR_PERGUNTA}"
  Call FalaSairPerguntando
FunctionEnd

Function un.FalaSair
  StrCpy $R7 "${SAIR_PERGUNTA_REMOCAO}"
  Call un.FalaSairPerguntando
FunctionEnd

Function FalaBoasVindas
  fala::Pagina "${BOAS_VINDAS_TITULO}" "${BOAS_VINDAS_TEXTO}" "continuar" 1
FunctionEnd

Function FalaLicenca
  fala::Pagina "$(MUI_TEXT_LICENSE_TITLE)" "$(MUI_TEXT_LICENSE_SUBTITLE) $(MUI_INNERTEXT_LICENSE_TOP) $(MUI_INNERTEXT_LICENSE_BOTTOM)" "concordar" 1
FunctionEnd

Function FalaComponentes
  fala::Pagina "$(MUI_TEXT_COMPONENTS_TITLE)" "${COMPONENTES_TEXTO}" "continuar" 1
  Call FalaVigiar
FunctionEnd

Function FalaPasta
  fala::Pagina "$(MUI_TEXT_DIRECTORY_TITLE)" "$(MUI_TEXT_DIRECTORY_SUBTITLE)" "instalar" 1
  fala::Pasta "${PASTA_ESCOLHIDA}" "$INSTDIR"
FunctionEnd

Function FalaInstalando
  fala::Pagina "$(MUI_TEXT_INSTALLING_TITLE)" "$(MUI_TEXT_INSTALLING_SUBTITLE)" "" 0
FunctionEnd

Function FalaFim
  fala::Pagina "${FIM_TITULO}" "${FIM_TEXTO}" "concluir" 0
  fala::Marcado "${FIM_EXECUTAR}" 0
FunctionEnd

Function un.FalaConfirmacao
  fala::Pagina "$(MUI_UNTEXT_CONFIRM_TITLE)" "$(MUI_UNTEXT_CONFIRM_SUBTITLE)" "remover" 1
  fala::Pasta "${PASTA_ESCOLHIDA}" "$INSTDIR"
FunctionEnd

Function un.FalaRemovendo
  fala::Pagina "$(MUI_UNTEXT_UNINSTALLING_TITLE)" "$(MUI_UNTEXT_UNINSTALLING_SUBTITLE)" "" 0
FunctionEnd

; The installer's own texts (Brazilian Portuguese); the rest of its pages come
; from the Modern UI's PortugueseBR language.

!define TITULO "Voltanor - Medidor de bateria"
!define ATALHO_TECLAS "Ctrl+Alt+Shift+B"

!define MUI_WELCOMEPAGE_TITLE "Instalação do Voltanor ${VERSION}"
!define MUI_WELCOMEPAGE_TEXT "O Voltanor diz em voz alta o estado da bateria do computador e o mostra numa janela.$\r$\n$\r$\nEste programa instala o Voltanor, sua voz e o motor de fala com a voz br1.$\r$\n$\r$\nUse Tab para andar entre os botões e Enter para avançar."
!define MUI_FINISHPAGE_TITLE "Voltanor instalado"
!define MUI_FINISHPAGE_TEXT "Para ouvir o estado da bateria, tecle ${ATALHO_TECLAS} em qualquer lugar, ou abra $\"${TITULO}$\" no menu Iniciar.$\r$\n$\r$\nEssas teclas não são usadas pelo Windows nem pelos leitores de tela: eles usam a tecla Windows, Insert ou Caps Lock.$\r$\n$\r$\nPara remover o Voltanor, use Aplicativos e recursos."
!define MUI_FINISHPAGE_RUN_TEXT "Ouvir o estado da bateria agora"

!define SECAO_PROGRAMA "Voltanor, sua voz e o motor de fala"
!define SECAO_VIGIAR "Vigiar a bateria ao entrar no Windows"
!define DESC_PROGRAMA "O programa, a voz padrão, o motor de fala com o MBROLA e a voz br1, o atalho no menu Iniciar e as configurações que faltarem no ORAVIX.INI."
!define DESC_VIGIAR "Inicia o Voltanor vigiando a bateria sempre que você entrar no Windows."
!define JA_RODANDO "Outra instalação do Voltanor já está em andamento. Espere que ela termine e tente de novo."
!define NAO_GRAVOU "Não foi possível gravar $R9.$\r$\nVerifique se a pasta permite gravação e se há espaço no disco.$\r$\nA instalação foi desfeita; nada ficou instalado."

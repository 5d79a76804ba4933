; The installer's own texts (Brazilian Portuguese); the rest of its pages come
; from the Modern UI's PortugueseBR language.

!define TITULO "Voltanor - Medidor de bateria"
!define ATALHO_TECLAS "Ctrl+Alt+Shift+B"
!define ATALHO_MENU "Ctrl+Alt+Shift+C"

!define BOAS_VINDAS_TITULO "Instalação do Voltanor ${VERSION}"
!define BOAS_VINDAS_TEXTO "O Voltanor diz em voz alta o estado da bateria do computador e o mostra numa janela.$\r$\n$\r$\nEste programa instala o Voltanor, sua voz e o motor de fala com a voz br1.$\r$\n$\r$\nUse Tab para andar entre os botões e Enter para avançar."
!define FIM_TITULO "Voltanor instalado"
!define FIM_TEXTO "Para ouvir o estado da bateria, tecle ${ATALHO_TECLAS} em qualquer lugar, ou abra $\"${TITULO}$\" no menu Iniciar.$\r$\n$\r$\nPara as configurações, tecle ${ATALHO_MENU}. O manual, lido pela voz do Voltanor, está no menu Iniciar: $\"Manual do Voltanor$\"; a seção 8 diz como remover o Voltanor.$\r$\n$\r$\nEssas teclas não são usadas pelo Windows nem pelos leitores de tela: o Windows usa a tecla Windows; os leitores de tela, Insert ou Caps Lock."
!define FIM_EXECUTAR "Ouvir o estado da bateria agora"
!define MUI_WELCOMEPAGE_TITLE "${BOAS_VINDAS_TITULO}"
!define MUI_WELCOMEPAGE_TEXT "${BOAS_VINDAS_TEXTO}"
!define MUI_FINISHPAGE_TITLE "${FIM_TITULO}"
!define MUI_FINISHPAGE_TEXT "${FIM_TEXTO}"
!define MUI_FINISHPAGE_RUN_TEXT "${FIM_EXECUTAR}"

!define SECAO_PROGRAMA "Voltanor, sua voz e o motor de fala"
!define SECAO_VIGIAR "Vigiar a bateria ao entrar no Windows"
!define DESC_PROGRAMA "O programa, a voz padrão, o motor de fala com o MBROLA e a voz br1, o atalho no menu Iniciar e as configurações que faltarem no ORAVIX.INI."
!define DESC_VIGIAR "Inicia o Voltanor vigiando a bateria sempre que você entrar no Windows: ele avisa em voz alta quando a bateria fica baixa e quando a energia externa é ligada ou desligada."
; The components page says why the watcher comes ticked.
!define COMPONENTES_TEXTO "O aviso de bateria vem marcado: avisar em voz alta quando a bateria fica baixa é para isso que se instala o Voltanor, e enquanto espera ele quase não gasta nada. Para desmarcá-lo, desça com a seta até ele e tecle Espaço."
!define MUI_COMPONENTSPAGE_TEXT_TOP "${COMPONENTES_TEXTO}"
!define PASTA_ESCOLHIDA "Pasta escolhida"
!define SAIR_PERGUNTA "Deseja cancelar a instalação do Voltanor? Nada será instalado."
!define SAIR_PERGUNTA_REMOCAO "Deseja cancelar a remoção do Voltanor? Nada será removido."
!define JA_RODANDO "Outra instalação do Voltanor já está em andamento. Espere que ela termine e tente de novo."
!define NAO_GRAVOU "Não foi possível gravar $R9.$\r$\nVerifique se a pasta permite gravação e se há espaço no disco.$\r$\nA instalação foi desfeita; nada ficou instalado."
!define AINDA_ATIVO "O aviso de bateria do Voltanor ainda está ativo: $INSTDIR\voltanor.exe está em uso.$\r$\nDesative-o com /parar, ou reinicie o Windows, e tente de novo.$\r$\nNada foi alterado."
!define AVISO_DEPOIS "O aviso de bateria não pôde ser iniciado agora. Ele começa quando você entrar no Windows de novo."
!define NAO_REMOVEU "Não foi possível remover $R5, que ainda está em uso.$\r$\nReinicie o Windows e remova o Voltanor de novo."

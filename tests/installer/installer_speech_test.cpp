#include "installer/installer_speech.h"

#include <gtest/gtest.h>

namespace {

TEST(InstallerSpeech, SwitchAndScreenReaderDecideWhetherItSpeaks) {
    struct Case {
        const char* parameters;
        bool silent;
        bool screenReader;
        bool speaks;
    } cases[] = {
        {"", false, false, true},
        {"", false, true, false},
        {"/FALA", false, true, true},
        {"/fala=sim /D=C:\\Pasta", false, true, true},
        {"/FALA=NAO", false, false, false},
        {"/Fala=n\xE3o", false, false, false},
        {"/FALA /FALA=NAO", false, false, false},
        {"/FALA=NAO /FALA", false, true, true},
        {"/FALA", true, false, false},  // /S never speaks
        {"/FALAR /FALA=TALVEZ", false, true, false},
        {"\"/D=C:\\Pasta /FALA\"", false, true, false},  // inside quotes: part of another word
        {"  /FALA  ", false, true, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(installerSpeaks(speechSwitch(c.parameters), c.silent, c.screenReader), c.speaks)
            << c.parameters << " silent " << c.silent << " reader " << c.screenReader;
}

TEST(InstallerSpeech, SpokenFormSaysKeysPathsAndLines) {
    struct Case {
        const char* text;
        const char* spoken;
    } cases[] = {
        {"tecle Ctrl+Alt+Shift+B em qualquer lugar", "tecle Control, Alt, Shift e B em qualquer lugar"},
        {"Alt+F4.", "Alt e F4."},
        {"C++ e +B e A+", "C++ e +B e A+"},
        {"C:\\Program Files (x86)\\Voltanor", "C: barra Program Files (x86) barra Voltanor"},
        {"Primeira linha\r\n\r\nSegunda.\r\nTerceira", "Primeira linha. Segunda. Terceira"},
        {"abra \"Voltanor - Medidor\" no menu", "abra Voltanor - Medidor no menu"},
        {"Instala\xE7\xE3o do Voltanor 1.0.0", "Instala\xE7\xE3o do Voltanor 1.0.0"},
        {"\r\n  ", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(spokenForm(c.text), c.spoken) << c.text;
}

TEST(InstallerSpeech, PagesBoxesAndCheckBoxesEndEachPartAsASentence) {
    EXPECT_EQ(pageSpeech("Bem-vindo", "Este programa instala.\r\nUse Tab", "continuar", true),
              "Bem-vindo. Este programa instala. Use Tab. Tecle Enter para continuar. Esc para cancelar.");
    EXPECT_EQ(pageSpeech("Voltanor instalado", "", "concluir", false), "Voltanor instalado. Tecle Enter para concluir.");
    EXPECT_EQ(pageSpeech("Instalando:", "", "", false), "Instalando:");
    EXPECT_EQ(checkBoxSpeech("Vigiar a bateria.", true), "Vigiar a bateria: marcado. Espa\xE7o para marcar ou desmarcar.");
    EXPECT_EQ(checkBoxSpeech("Ouvir agora", false), "Ouvir agora: desmarcado. Espa\xE7o para marcar ou desmarcar.");
    EXPECT_EQ(focusedControlSpeech(ControlKind::button, "&Pr\xF3ximo >", false), "Pr\xF3ximo, bot\xE3o.");
    EXPECT_EQ(focusedControlSpeech(ControlKind::button, "< &Voltar", false), "Voltar, bot\xE3o.");
    EXPECT_EQ(focusedControlSpeech(ControlKind::button, "&", false), "");
    EXPECT_EQ(focusedControlSpeech(ControlKind::checkBox, "&Ouvir agora", true),
              "Ouvir agora: marcado. Espa\xE7o para marcar ou desmarcar.");
    EXPECT_EQ(folderSpeech("Pasta", "D:\\Voltanor\\"), "Pasta: D: barra Voltanor barra.");
    EXPECT_EQ(messageBoxSpeech("Deseja sair?", BoxAnswers::yesNo),
              "Deseja sair? Respostas: Sim ou N\xE3o. Tecle Enter para sim, Tab e Enter para n\xE3o.");
    EXPECT_EQ(messageBoxSpeech("N\xE3o foi poss\xEDvel gravar C:\\x.\r\nVerifique", BoxAnswers::ok),
              "N\xE3o foi poss\xEDvel gravar C: barra x. Verifique. Resposta: OK. Tecle Enter.");
}

}  // namespace

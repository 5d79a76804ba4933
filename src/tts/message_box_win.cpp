#include <windows.h>

#include "tts/message_box.h"

void showMessageBox(const std::string& text) {
    MessageBoxA(nullptr, text.c_str(), "Voltanor - Medidor de bateria", MB_OK | MB_ICONWARNING | MB_TASKMODAL);
}

#pragma once

#include <cstdint>

// Qt's own texts (the standard buttons of message boxes and dialogs, the menus
// of entry boxes, the file and print dialogs) follow the dictionary's
// language: Qt's German catalogue for language 1, Qt's English otherwise.
// Where the catalogue is not installed the texts stay English.
namespace QtStandardTexts {

void follow(int16_t language);

}

// ShowMessage: the information message. Modal, captioned with the application title, no icon,
// and one "OK" button that answers Enter, Esc and a click alike; centred on the screen.
#pragma once

#include <windows.h>

#include <string_view>

#include "description/form_model.h"

namespace forms {

class TApplication;

void ShowMessage(TApplication& application, HWND owner, const description::Font& font,
                 std::wstring_view text);

}  // namespace forms

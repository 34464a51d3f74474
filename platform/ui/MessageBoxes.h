// Message boxes: a modal box with a caption, a text, a set of buttons and an icon.
//
// Callers describe a box with the Windows style bits and get the Windows code of the button
// pressed, so the system's texts and tables apply unchanged. The program's implementation is a
// GTK dialog (library tarrow_platform_ui); tests install a scripted one. This header needs no GTK.
#pragma once

#include "platform/core/CString.h"

#include <span>

namespace platform {

// Button sets (low four bits of the style).
inline constexpr unsigned MB_OK = 0x0;
inline constexpr unsigned MB_OKCANCEL = 0x1;
inline constexpr unsigned MB_ABORTRETRYIGNORE = 0x2;
inline constexpr unsigned MB_YESNOCANCEL = 0x3;
inline constexpr unsigned MB_YESNO = 0x4;
inline constexpr unsigned MB_RETRYCANCEL = 0x5;
// Icons.
inline constexpr unsigned MB_ICONERROR = 0x10;
inline constexpr unsigned MB_ICONQUESTION = 0x20;
inline constexpr unsigned MB_ICONWARNING = 0x30;
inline constexpr unsigned MB_ICONINFORMATION = 0x40;
// Default button (the first one unless one of these is set) and window order.
inline constexpr unsigned MB_DEFBUTTON2 = 0x100;
inline constexpr unsigned MB_DEFBUTTON3 = 0x200;
inline constexpr unsigned MB_TOPMOST = 0x40000;

// Button codes.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDABORT = 3;
inline constexpr int IDRETRY = 4;
inline constexpr int IDIGNORE = 5;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// The buttons of a style, left to right; an unknown button set shows OK alone.
inline std::span<const int> ButtonsOf(unsigned style)
{
    static constexpr int ok[] = {IDOK};
    static constexpr int okCancel[] = {IDOK, IDCANCEL};
    static constexpr int abortRetryIgnore[] = {IDABORT, IDRETRY, IDIGNORE};
    static constexpr int yesNoCancel[] = {IDYES, IDNO, IDCANCEL};
    static constexpr int yesNo[] = {IDYES, IDNO};
    static constexpr int retryCancel[] = {IDRETRY, IDCANCEL};
    switch (style & 0xF) {
    case MB_OKCANCEL: return okCancel;
    case MB_ABORTRETRYIGNORE: return abortRetryIgnore;
    case MB_YESNOCANCEL: return yesNoCancel;
    case MB_YESNO: return yesNo;
    case MB_RETRYCANCEL: return retryCancel;
    default: return ok;
    }
}

// The button that Enter presses and that a box without a display answers; a default beyond the
// last button falls back to the first.
inline int DefaultButton(unsigned style)
{
    auto buttons = ButtonsOf(style);
    std::size_t index = (style >> 8) & 0x3;
    return buttons[index < buttons.size() ? index : 0];
}

class IMessageBoxes {
public:
    virtual ~IMessageBoxes() = default;
    // Shows the box without owner window and returns the code of the button pressed.
    virtual int Show(const CString& text, const CString& caption, unsigned style) = 0;

    static constexpr const char* kServiceName = "MessageBoxes";
    static IMessageBoxes& Default();
};

} // namespace platform

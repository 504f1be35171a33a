// Translation between Qt key events and Windows key codes and characters.
#include <QApplication>
#include <QKeyEvent>

#include "platform/forms/FormsImpl_p.h"

namespace zvforms {

TShiftState ShiftOf(Qt::KeyboardModifiers m, Qt::MouseButtons b)
{
    TShiftState s = 0;
    if (m & Qt::ShiftModifier)
        s |= ssShift;
    if (m & Qt::ControlModifier)
        s |= ssCtrl;
    if (m & Qt::AltModifier)
        s |= ssAlt;
    if (b & Qt::LeftButton)
        s |= ssLeft;
    if (b & Qt::RightButton)
        s |= ssRight;
    if (b & Qt::MiddleButton)
        s |= ssMiddle;
    return s;
}

Word VirtualKeyOf(const QKeyEvent* e)
{
    const int k = e->key();
    const bool pad = e->modifiers() & Qt::KeypadModifier;
    if (k >= Qt::Key_0 && k <= Qt::Key_9)
        return static_cast<Word>(pad ? VK_NUMPAD0 + (k - Qt::Key_0) : '0' + (k - Qt::Key_0));
    if (k >= Qt::Key_A && k <= Qt::Key_Z)
        return static_cast<Word>('A' + (k - Qt::Key_A));
    if (k >= Qt::Key_F1 && k <= Qt::Key_F12)
        return static_cast<Word>(VK_F1 + (k - Qt::Key_F1));
    switch (k) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_End: return VK_END;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_Pause: return VK_PAUSE;
    case Qt::Key_CapsLock: return VK_CAPITAL;
    case Qt::Key_NumLock: return VK_NUMLOCK;
    case Qt::Key_ScrollLock: return VK_SCROLL;
    case Qt::Key_Print: return VK_SNAPSHOT;
    case Qt::Key_Menu: return VK_APPS;
    case Qt::Key_Clear: return VK_CLEAR;
    case Qt::Key_Period:
    case Qt::Key_Greater: return pad ? VK_DECIMAL : VK_OEM_PERIOD;
    case Qt::Key_Comma:
    case Qt::Key_Less: return pad ? VK_DECIMAL : VK_OEM_COMMA;
    case Qt::Key_Minus:
    case Qt::Key_Underscore: return pad ? VK_SUBTRACT : VK_OEM_MINUS;
    case Qt::Key_Plus: return pad ? VK_ADD : VK_OEM_PLUS;
    case Qt::Key_Equal: return VK_OEM_PLUS;
    case Qt::Key_Asterisk: return pad ? Word(VK_MULTIPLY) : Word('8');
    case Qt::Key_Slash:
    case Qt::Key_Question: return pad ? VK_DIVIDE : VK_OEM_2;
    case Qt::Key_Semicolon:
    case Qt::Key_Colon: return VK_OEM_1;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl: return VK_OEM_7;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft: return VK_OEM_4;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight: return VK_OEM_6;
    case Qt::Key_Backslash:
    case Qt::Key_Bar: return VK_OEM_5;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde: return VK_OEM_3;
    case Qt::Key_Exclam: return '1';
    case Qt::Key_At: return '2';
    case Qt::Key_NumberSign: return '3';
    case Qt::Key_Dollar: return '4';
    case Qt::Key_Percent: return '5';
    case Qt::Key_AsciiCircum: return '6';
    case Qt::Key_Ampersand: return '7';
    case Qt::Key_ParenLeft: return '9';
    case Qt::Key_ParenRight: return '0';
    default: return 0;
    }
}

char CharOf(const QKeyEvent* e)
{
    const QString t = e->text();
    if (t.isEmpty())
        return 0;
    const char16_t u = t.at(0).unicode();
    // Delete gives no character on Windows.
    if (u == 0x7F || e->key() == Qt::Key_Delete)
        return 0;
    if (u == '\n')
        return '\r';
    if (u < 0x100)
        return static_cast<char>(u);
    const QByteArray b = t.toUtf8();
    return b.isEmpty() ? 0 : b.at(0);
}

QKeyEvent* MakeKeyEvent(QEvent::Type type, Word Key, TShiftState Shift)
{
    Qt::KeyboardModifiers mods;
    if (Shift & ssShift)
        mods |= Qt::ShiftModifier;
    if (Shift & ssCtrl)
        mods |= Qt::ControlModifier;
    if (Shift & ssAlt)
        mods |= Qt::AltModifier;
    const bool shift = Shift & ssShift;
    int qk = 0;
    QString text;
    if (Key >= '0' && Key <= '9') {
        static const char shifted[] = ")!@#$%^&*(";
        qk = Qt::Key_0 + (Key - '0');
        text = shift ? QString(QChar(shifted[Key - '0'])) : QString(QChar(Key));
    } else if (Key >= 'A' && Key <= 'Z') {
        qk = Qt::Key_A + (Key - 'A');
        text = QString(QChar(shift ? Key : Key - 'A' + 'a'));
    } else if (Key >= VK_NUMPAD0 && Key <= VK_NUMPAD9) {
        qk = Qt::Key_0 + (Key - VK_NUMPAD0);
        mods |= Qt::KeypadModifier;
        text = QString(QChar('0' + (Key - VK_NUMPAD0)));
    } else if (Key >= VK_F1 && Key <= VK_F12) {
        qk = Qt::Key_F1 + (Key - VK_F1);
    } else {
        switch (Key) {
        case VK_RETURN: qk = Qt::Key_Return; text = "\r"; break;
        case VK_ESCAPE: qk = Qt::Key_Escape; text = QString(QChar(27)); break;
        case VK_TAB: qk = shift ? Qt::Key_Backtab : Qt::Key_Tab; text = "\t"; break;
        case VK_BACK: qk = Qt::Key_Backspace; text = "\b"; break;
        case VK_DELETE: qk = Qt::Key_Delete; break;
        case VK_INSERT: qk = Qt::Key_Insert; break;
        case VK_HOME: qk = Qt::Key_Home; break;
        case VK_END: qk = Qt::Key_End; break;
        case VK_PRIOR: qk = Qt::Key_PageUp; break;
        case VK_NEXT: qk = Qt::Key_PageDown; break;
        case VK_LEFT: qk = Qt::Key_Left; break;
        case VK_RIGHT: qk = Qt::Key_Right; break;
        case VK_UP: qk = Qt::Key_Up; break;
        case VK_DOWN: qk = Qt::Key_Down; break;
        case VK_SPACE: qk = Qt::Key_Space; text = " "; break;
        case VK_SHIFT: qk = Qt::Key_Shift; break;
        case VK_CONTROL: qk = Qt::Key_Control; break;
        case VK_MENU: qk = Qt::Key_Alt; break;
        case VK_DECIMAL: qk = Qt::Key_Period; mods |= Qt::KeypadModifier; text = "."; break;
        case VK_ADD: qk = Qt::Key_Plus; mods |= Qt::KeypadModifier; text = "+"; break;
        case VK_SUBTRACT: qk = Qt::Key_Minus; mods |= Qt::KeypadModifier; text = "-"; break;
        case VK_MULTIPLY: qk = Qt::Key_Asterisk; mods |= Qt::KeypadModifier; text = "*"; break;
        case VK_DIVIDE: qk = Qt::Key_Slash; mods |= Qt::KeypadModifier; text = "/"; break;
        case VK_OEM_PERIOD: qk = shift ? Qt::Key_Greater : Qt::Key_Period; text = shift ? ">" : "."; break;
        case VK_OEM_COMMA: qk = shift ? Qt::Key_Less : Qt::Key_Comma; text = shift ? "<" : ","; break;
        case VK_OEM_MINUS: qk = shift ? Qt::Key_Underscore : Qt::Key_Minus; text = shift ? "_" : "-"; break;
        case VK_OEM_PLUS: qk = shift ? Qt::Key_Plus : Qt::Key_Equal; text = shift ? "+" : "="; break;
        case VK_OEM_1: qk = shift ? Qt::Key_Colon : Qt::Key_Semicolon; text = shift ? ":" : ";"; break;
        case VK_OEM_2: qk = shift ? Qt::Key_Question : Qt::Key_Slash; text = shift ? "?" : "/"; break;
        case VK_OEM_7: qk = shift ? Qt::Key_QuoteDbl : Qt::Key_Apostrophe; text = shift ? "\"" : "'"; break;
        default: qk = Qt::Key_unknown; break;
        }
    }
    if ((Shift & ssCtrl) && Key >= 'A' && Key <= 'Z')
        text = QString(QChar(Key - 'A' + 1));
    if (type == QEvent::KeyRelease && Key == VK_TAB)
        text.clear();
    return new QKeyEvent(type, qk, mods, text);
}

} // namespace zvforms

#include "platform/forms/LockKeys.h"

#include "platform/forms/VirtualKeys.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

// Last: the X headers define macros (None, Bool, KeyPress) that other headers use as names.
#include <X11/XKBlib.h>

bool ReadLockKeyState(Word VirtualKey, bool& On)
{
    On = false;
    // Only an X server tells the lock keys (through its keyboard extension); Wayland and the
    // offscreen platform keep them from clients.
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* d = x11 ? x11->display() : nullptr;
    if (!d)
        return false;
    const char* name = VirtualKey == VK_NUMLOCK ? "Num Lock"
                       : VirtualKey == VK_CAPITAL ? "Caps Lock"
                       : VirtualKey == VK_SCROLL  ? "Scroll Lock"
                                                  : nullptr;
    if (!name)
        return false;
    Bool state = False;
    if (!XkbGetNamedIndicator(d, XInternAtom(d, name, False), nullptr, &state, nullptr, nullptr))
        return false;
    On = state;
    return true;
}

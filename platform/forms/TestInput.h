#pragma once
// Input for tests: keys and mouse actions delivered to a control as the window system
// would deliver them (through the same Qt events and routing), with no display needed.
// Coordinates are the control's client coordinates. As with a user's mouse and keys, a
// press moves the focus (OnExit/OnEnter) to the control that takes it by click, and keys
// reach only the focused control of a shown form (else EInvalidOperation).
#include "platform/forms/Controls.h"
#include "platform/forms/DragDrop.h"
#include "platform/forms/Form.h"

namespace TestInput {

// One key: key-down (with its character, if any), then key-up to the control focused by
// then. Key is a Windows key code.
void PressKey(TWinControl* Target, Word Key, TShiftState Shift = 0);
void KeyDown(TWinControl* Target, Word Key, TShiftState Shift = 0);
void KeyUp(TWinControl* Target, Word Key, TShiftState Shift = 0);
// Types the characters of Text one key at a time ("\r" is Enter).
void TypeText(TWinControl* Target, const AnsiString& Text);
// The focused control of Target's form (or Target itself) receives the key.
void PressKeyOnForm(TWinControl* Form, Word Key, TShiftState Shift = 0);

void MouseDown(TControl* Target, int X, int Y, TMouseButton Button = mbLeft, TShiftState Shift = 0);
void MouseUp(TControl* Target, int X, int Y, TMouseButton Button = mbLeft, TShiftState Shift = 0);
void MouseMove(TControl* Target, int X, int Y, TShiftState Shift = 0);
// Down and up at (X, Y); X < 0 means the centre of the control.
void Click(TControl* Target, int X = -1, int Y = -1, TMouseButton Button = mbLeft);
void DblClick(TControl* Target, int X = -1, int Y = -1);
// The mouse rests at (X, Y) until the window system asks for the hint there.
void RestMouse(TControl* Target, int X, int Y);
// Wheel turned by Steps notches (negative: towards the user, "down").
void Wheel(TWinControl* Target, int Steps, int X = -1, int Y = -1);

// Drag and drop. The next drag a control starts ends with a drop on Target at client
// point (X, Y) with Shift held (Ctrl: copy), or is cancelled with Escape over Target.
void DropOn(TWinControl* Target, int X, int Y, TShiftState Shift = 0);
void CancelNextDrag(TWinControl* Target = nullptr);
// Another program drags Data onto Target and drops it at (X, Y); the drop's effect.
int DropFromOutside(TWinControl* Target, int X, int Y, const TDragData& Data, TShiftState Shift = 0);
// The cursor the window system shows over Target's window now (crDefault for the arrow).
TCursor ShownCursor(TWinControl* Target);

// The frame of a shown form's window, worked as a user works it through the window system.
// Drags the frame's bottom-right corner by (DX, DY) pixels; the window system keeps the
// window within the size limits the window gives it.
void DragWindowFrame(TCustomForm* Form, int DX, int DY);
// The title-bar buttons the window system shows: biSystemMenu (the window menu and close
// box), biMinimize, biMaximize.
TBorderIcons ShownTitleButtons(TCustomForm* Form);
// A click on the title bar's biMinimize or biMaximize button; EInvalidOperation when the
// window does not show it.
void ClickTitleButton(TCustomForm* Form, TBorderIconBit Button);
// The user brings the minimised or maximised window back to its normal size (task bar).
void RestoreWindow(TCustomForm* Form);

// Runs what the loop has waiting (posted calls, paints, timers that are due).
void ProcessEvents();
// Runs the loop for Ms milliseconds.
void RunFor(int Ms);

} // namespace TestInput

#pragma once
// Small helpers of the panel code for the main window's controls.
#include "main/Lcr.h"
#include "platform/forms/Controls.h"
#include "platform/graphics/Color.h"

namespace panel {

inline constexpr TColor kLime = clLime;
inline constexpr TColor kGrey = 0x808080;
inline constexpr TColor kNavy = clNavy;
inline constexpr TColor kBlack = 0x000000;
inline constexpr TColor kWhite = 0xFFFFFF;
inline constexpr TColor kOrange = RGB(255, 128, 64);

inline TLCRForm& Form()
{
    return *LCRForm;
}

// The control of the main window named Name, or nullptr.
template <class T>
T* Find(const AnsiString& Name)
{
    return dynamic_cast<T*>(LCRForm->FindComponent(Name));
}

inline void Show(TControl* C, bool Visible)
{
    if (C)
        C->SetVisible(Visible);
}

inline void SetText(TControl* C, const AnsiString& Text)
{
    if (C)
        C->SetCaption(Text);
}

inline void SetFontColor(TControl* C, TColor Color)
{
    if (C)
        C->Font()->SetColor(Color);
}

inline bool IsSend(const AnsiString& Mode)
{
    return Mode == "Send";
}

// The entry panel is open.
bool Typing();

} // namespace panel

// The enlarged display, from MEAS, the enlarge key of page 1 or a title key in enlarged mode.
void ShowEnlargedDisplay();

// Draws a bin or secondary limit field (4-13, 19-28) again from its stored value and unit.
void RedrawLimit(int Field, const AnsiString& Highlight, const AnsiString& Mode);

// The highest frequency preset of the identified model, the top of the Incr key.
int ModelTopPreset();

#pragma once
// The typed edit's rules without a window: the window text (Prefix + value + Suffix),
// the selection, the type and precision, the key, paste and focus filters and the
// colour states. TVodUriz mirrors this state into its edit window and routes the
// window's keys, clipboard and focus changes through it.
#include <cstdint>
#include <functional>

#include "components/controls/VodurizTypes.h"
#include "platform/core/Types.h"
#include "platform/forms/VirtualKeys.h"
#include "platform/graphics/Color.h"

class TVodUrizModel {
public:
    TVodUrizModel();

    // --- the text model ---
    // Window text as shown, without the typed edit's wrapping.
    const AnsiString& WindowText() const { return FWindowText; }
    // Replaces the window text as the edit window would (a change notification follows
    // when it differs).
    void SetWindowText(const AnsiString& Text);
    int SelStart() const { return FSelStart; }
    int SelLength() const { return FSelLength; }
    void SetSelStart(int v);
    void SetSelLength(int v);
    // Caret and anchor as the edit window keeps them (caret may precede the anchor).
    void SetSelection(int Anchor, int Caret);
    AnsiString SelText() const { return FWindowText.substr(FSelStart, FSelLength); }

    // The value between Prefix and Suffix.
    AnsiString GetText() const;
    void SetText(const AnsiString& Value);
    const AnsiString& Prefix() const { return FPrefix; }
    void SetPrefix(const AnsiString& v);
    const AnsiString& Suffix() const { return FSuffix; }
    void SetSuffix(const AnsiString& v);

    TVodUrizType EditType() const { return FEditType; }
    void SetEditType(TVodUrizType t);
    int Precision() const { return FPrecision; }
    void SetPrecision(int p);

    double GetFloat() const;
    void SetFloat(double x);
    std::int32_t GetInt() const;
    void SetInt(std::int32_t n);

    // 1-based position of the value's decimal separator in the window text.
    int DecimalPos() const;
    // Regroups the thousands of a money value while typing and after SetFloat/SetInt.
    void AutoSeparators();
    // Looks like a web address.
    bool TestURL() const;

    // --- flags and limits ---
    bool Signed = false;
    int LengthLimit = 0;
    bool TabOnFullLength = false;
    bool ReturnIsTab = false;
    bool ExcelStyleDecimalSeparator = false;
    bool AutoThousandSeparator() const { return FAutoThousandSeparator; }
    void SetAutoThousandSeparator(bool v);
    AnsiString ValidChars;
    bool CanUndo() const { return FCanUndo; }
    void SetCanUndo(bool v) { FCanUndo = v && FEditType != etPassword; }
    int MaxLength = 0;
    bool ReadOnly = false;
    bool AutoSelect = true;
    bool ShowURL = false;
    bool KeyPreview = false; // of the owning form
    bool Loading = false;
    bool Designing = false;
    char PasswordChar() const { return FPasswordChar; }

    // --- modified and error state ---
    bool GetModified() const { return FModifiedState; }
    void SetModified(bool m);
    // The edit window's own modified flag (set by typing).
    bool EditModified() const { return FEditModified; }
    bool GetError() const { return FErrorState; }
    void SetError(bool e);
    bool DoValidate(const AnsiString& Value);
    bool ShowError = false;
    bool ShowModified = false;
    bool SkipNextChange() const { return FSkipNextChange; }
    bool URLShown() const { return FURLShown; }

    // --- colours: Color and FontColor are what the window shows ---
    TColor Color() const { return FColor; }
    TColor FontColor() const { return FFontColor; }
    // Colour writes of the control (Color property, font colour) that the states start from.
    void SetColorEx(TColor c);
    void SetFontColor(TColor c);
    TColor NormalColor() const { return FNormalColor; }
    TColor NormalFontColor() const { return FNormalFontColor; }
    void SetNormalColor(TColor c) { FNormalColor = c; }
    void SetBackground(TColor c) { FColor = c; }
    TColor FocusColor = clNone;
    TColor FocusFontColor = clWindowText;
    TColor DisabledColor = clSilver;
    TColor ErrorColor = clRed;
    TColor ErrorFontColor = clWhite;
    TColor ModifiedColor = clHighlight;
    TColor URLColor = clBlue;
    bool Enabled() const { return FEnabled; }
    // Enables or disables; on a change the background switches to DisabledColor and back.
    void SetEnabledEx(bool e);
    bool Focused() const { return FFocused; }
    // Takes the control's current colours as its normal ones (start-up), then shows the
    // disabled colour when disabled.
    void Init();
    void TakeNormalColours();
    void ShowDisabledColour();

    // --- keyboard and clipboard filters ---
    // The character handler; Key becomes 0 when the character must not reach the window.
    void KeyPress(char& Key, bool Ctrl, bool KeypadDecimal = false);
    // The key-down handler; Key becomes 0 when swallowed. Returns true when the model
    // did the edit window's own work for the key (the window must not repeat it).
    bool KeyDown(Word& Key, bool Shift, bool Ctrl);
    // Escape with CanUndo: restores the value of the moment of focus. True when taken.
    bool EscapeUndo();
    void Paste(const AnsiString& Clip);
    // Paste of the clipboard's text (OnGetClipboard).
    void PasteClipboard();
    // Copy and cut: the selected part of the value after OnClipboardCopy/Cut allow it.
    bool Copy(AnsiString& Text);
    bool Cut(AnsiString& Text);
    void SelectAll();
    void SelectBeforeDecimal();
    void SelectAfterDecimal();

    // --- focus ---
    void FocusGained();
    // Reformats and validates before the control's OnExit runs; false when invalid.
    bool FocusLost();
    const AnsiString& FocusText() const { return FFocusText; }

    // --- hooks to the control ---
    TObject* Sender = nullptr;
    std::function<void()> OnChange;                 // the window text changed (not swallowed)
    std::function<void(char& Key)> OnKeyPress;      // a character passed on to the window
    std::function<void(Word& Key)> OnKeyDown;       // the base key-down handling
    std::function<void()> OnSelectNext;             // move the focus to the next control
    std::function<void()> OnLookAndFeel;            // colours or web-address look changed
    std::function<AnsiString()> OnGetClipboard;     // plain text of the clipboard
    std::function<void(const AnsiString&)> OnSetClipboard;
    TValueValidateEvent OnValueValidate;
    TClipboardEvent OnClipboardCopy;
    TClipboardEvent OnClipboardCut;
    TClipboardEvent OnClipboardPaste;

private:
    void Changed();
    void PassOn(char Key);
    void InsertChar(char Key);
    bool DecimalFilter(char Key);
    void SignToggleIntegers();
    void SignToggleDecimals();
    void WriteValue(const AnsiString& Value);
    AnsiString ValueAfterDelete(bool Backward) const;
    void DeleteAtCaret(bool Backward);
    bool MinusMisplaced(char Key) const;
    void ApplyURL(bool On);
    void ColoursChanged();
    int ValueEnd() const { return static_cast<int>(FPrefix.size() + GetText().size()); }

    AnsiString FWindowText;
    int FSelStart = 0;
    int FSelLength = 0;
    int FCaret = 0; // the end of the selection the caret stands at
    AnsiString FPrefix, FSuffix;
    TVodUrizType FEditType = etString;
    int FPrecision = 0;
    bool FAutoThousandSeparator = true;
    bool FCanUndo = true;
    char FPasswordChar = 0;
    bool FModifiedState = false;
    bool FEditModified = false;
    bool FErrorState = false;
    bool FInValidation = false;
    bool FSkipNextChange = false;
    bool FURLShown = false;
    bool FEnabled = true;
    bool FFocused = false;
    AnsiString FFocusText;
    TColor FColor = clWindow;
    TColor FFontColor = clWindowText;
    TColor FNormalColor = clWindow;
    TColor FNormalFontColor = clWindowText;
};

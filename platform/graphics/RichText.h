#pragma once
// TRichText: a formatted text document (the model behind a rich edit): paragraphs of runs
// with font, size, style, colour and raised or lowered text. It reads and writes RTF through
// the platform's own converter (RichTextRtf.h), keeps a selection whose attributes can be read
// and changed, measures the extent of its text for a width and draws into a canvas.
// Character positions count a paragraph break as one character.
#include <memory>

#include "platform/graphics/Canvas.h"
#include "platform/graphics/RichTextRtf.h"

namespace zvqt {
struct ImplAccess;
}

class TRichText {
public:
    TRichText();
    ~TRichText();
    TRichText(const TRichText&) = delete;
    TRichText& operator=(const TRichText&) = delete;

    // Text without a font or size of its own shows in this font's name and size.
    void SetDefaultFont(const AnsiString& Name, int Size);
    const AnsiString& DefaultFontName() const { return FDefaultFontName; }
    int DefaultFontSize() const { return FDefaultFontSize; }

    void SetContent(const TRichTextContent& Content);
    TRichTextContent Content() const;
    AnsiString PlainText() const;
    void SetPlainText(const AnsiString& Text);
    void Clear() { SetPlainText(""); }
    // Number of characters (paragraph breaks count one).
    int TextLength() const;

    // Selection.
    int SelStart() const { return FSelStart; }
    int SelLength() const { return FSelLength; }
    void SetSelection(int Start, int Length);
    void SelectAll() { SetSelection(0, TextLength()); }
    AnsiString SelText() const;
    // Replaces the selection with Text in the format of its first character; the caret
    // follows the new text.
    void SetSelText(const AnsiString& Text);

    // Attributes of the selection: those of its first character (of the character before the
    // caret when nothing is selected). Setting one changes every selected character; with
    // nothing selected it sets the format of what is typed next at the caret.
    AnsiString SelFontName() const;
    void SetSelFontName(const AnsiString& Name);
    int SelFontSize() const; // points
    void SetSelFontSize(int Points);
    TFontStyles SelStyle() const;
    void SetSelStyle(TFontStyles Style);
    TColor SelColor() const; // clNone: the automatic colour
    void SetSelColor(TColor Color);
    int SelOffset() const; // twips above the base line
    void SetSelOffset(int Twips);

    // Size of the laid-out text in screen pixels: wrapped at Width, or unwrapped when
    // Width is 0 or less (then the width is the widest line).
    TSize Extent(int Width) const;
    // Draws the text into R (clipped to it), wrapped at R's width, text of the automatic
    // colour in DefaultColor. PixelsPerInch scales it for a printer page.
    void Draw(TCanvas* Canvas, const TRect& R, TColor DefaultColor = clBlack,
              int PixelsPerInch = ScreenPixelsPerInch) const;

    struct Impl;

private:
    // The platform reaches it through zvqt::ImplOf.
    friend struct zvqt::ImplAccess;
    Impl* ImplPtr() const { return FImpl.get(); }

    struct TRunEdit;
    template <class F>
    void EditSelectedRuns(F&& Change);
    TRichTextRun FirstSelectedRun() const;

    std::unique_ptr<Impl> FImpl;
    TRichTextRun FTyping; // format for text typed at the caret, while FTypingSet
    bool FTypingSet = false;
    AnsiString FDefaultFontName = "Arial";
    int FDefaultFontSize = 10;
    int FSelStart = 0;
    int FSelLength = 0;
};

// The converter between RTF and the document (also for the clipboard's rich text).
void RtfToDocument(const AnsiString& Rtf, TRichText& Document);
AnsiString DocumentToRtf(const TRichText& Document);

#pragma once
// Rich text as runs of equally formatted text in paragraphs, and its conversion from and to
// RTF. The RTF understood is a small subset: font (font table), size, bold, italic, underline,
// colour (colour table), raised and lowered text, paragraphs and the text escapes (\\ \{ \}
// \'hh in Windows-1252, \uN with its fallback). Everything else is read as its text: unknown
// control words are dropped and known non-text groups ({\*\...}, pictures, info) skipped.
// Malformed input never throws: unbalanced braces are tolerated and nesting is bounded.
// Run text is UTF-8.
#include <vector>

#include "platform/graphics/Color.h"
#include "platform/graphics/Font.h"

struct TRichTextRun {
    AnsiString Text;
    AnsiString FontName;   // empty: the document's default font
    int FontSize = 0;      // half points; 0: the document's default size
    TFontStyles Style = 0; // fsBold, fsItalic, fsUnderline
    TColor Color = clNone; // clNone: the automatic (default) colour
    int Offset = 0;        // twips above (positive) or below (negative) the base line

    // Same formatting (the text aside).
    bool SameFormat(const TRichTextRun& o) const
    {
        return FontName == o.FontName && FontSize == o.FontSize && Style == o.Style && Color == o.Color
               && Offset == o.Offset;
    }
};

struct TRichTextParagraph {
    std::vector<TRichTextRun> Runs;
};

// At least one paragraph once read; an empty document is one empty paragraph.
using TRichTextContent = std::vector<TRichTextParagraph>;

// Deeper groups are read as their parent; keeps hostile input from exhausting memory.
constexpr int RtfMaxGroupDepth = 100;
// Size of text without a \fs word (12 points).
constexpr int RtfDefaultFontSize = 24;

// True when the text is taken for RTF: it starts with "{\".
bool IsRtfText(const AnsiString& S);
// Reads RTF (or anything: text that is no RTF gives its lines as paragraphs).
TRichTextContent RtfToContent(const AnsiString& Rtf);
// Writes the content as RTF; runs without a font name or size use DefaultFont and
// DefaultSize (half points).
AnsiString ContentToRtf(const TRichTextContent& Content, const AnsiString& DefaultFont = "Arial",
                        int DefaultSize = RtfDefaultFontSize);
// The text of the content, paragraphs separated by CR LF.
AnsiString ContentPlainText(const TRichTextContent& Content);
// Plain text as content: one paragraph per line, default formatting.
TRichTextContent PlainTextToContent(const AnsiString& Text);

#pragma once
// Private to the platform layer: the Qt document behind a TRichText (a rich edit shows and
// edits it directly, so typing keeps the formatting).
#include <QTextCharFormat>
#include <QTextDocument>

#include "platform/graphics/QtGraphics_p.h"
#include "platform/graphics/RichText.h"

#include <functional>

struct TRichText::Impl {
    QTextDocument doc;
    // An editor showing the document takes the format for what is typed next at its caret.
    std::function<void(const QTextCharFormat&)> typingFormat;
};

namespace zvqt {

inline QTextDocument* RichDocument(const TRichText* t) { return &ImplOf(t)->doc; }
// The character format that shows a run (defaults fill what the run leaves open).
QTextCharFormat RichFormat(const TRichTextRun& Run, const AnsiString& DefaultName, int DefaultSize);
// The run a character format stands for (its text empty).
TRichTextRun RichRun(const QTextCharFormat& Format);

} // namespace zvqt

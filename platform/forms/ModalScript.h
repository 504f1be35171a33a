#pragma once
// The one place every modal box goes through: message boxes, MessageDlg, ShowMessage,
// input boxes, file, colour and folder dialogs and modal forms. It records each request
// (kind, caption, text, buttons) and, when a test has queued answers, answers from the
// queue in order instead of showing anything. With strict scripting armed (the GUI test
// main does so), a box with no queued answer is reported to the unscripted handler (which
// fails the test with the box's text) and answered with its cancel answer: nothing ever
// blocks a test.
#include <functional>
#include <vector>

#include "platform/core/Types.h"
#include "platform/graphics/Color.h"

class TCustomForm;

enum class TModalKind { MessageBox, MessageDlg, InputQuery, OpenDialog, SaveDialog, ColorDialog, SelectDirectory, Form, Preview };

struct TModalRequest {
    TModalKind Kind = TModalKind::MessageBox;
    AnsiString Caption;
    AnsiString Text;             // message, prompt or dialog title
    std::vector<AnsiString> Buttons; // "OK", "Cancel", "Yes", "No", ...
    unsigned Flags = 0;          // MB_ flags of a message box, dialog options otherwise
    AnsiString Value;            // input default, file name, folder
    AnsiString Filter;           // file dialog filter
    AnsiString Folder;           // initial folder of a file dialog, root of a folder dialog
    TColor Color = 0;            // colour dialog start colour
    TCustomForm* Form = nullptr; // the modal form
    TRect Bounds;                // where a placed dialog is on the screen; empty where the platform puts it
};

struct TModalAnswer {
    int Result = 0;         // IDOK.. for message boxes, mrOk.. for MessageDlg and forms, 1/0 for dialogs
    AnsiString Value;       // text typed, file or folder chosen
    TColor Color = 0;       // colour chosen
    // For a modal form: runs while the form is "shown" (may click its buttons); when the
    // form's ModalResult is then still mrNone, Result is used.
    std::function<void(TCustomForm*)> Action;
};

namespace ModalScript {

// Queue answers, in the order the boxes will come.
void Answer(const TModalAnswer& A);
void AnswerButton(int Result);                // message box / MessageDlg button
void AnswerText(const AnsiString& Value);     // input box OK with this text
void AnswerFile(const AnsiString& FileName);  // file dialog OK with this file (or folder)
void AnswerColor(TColor Color);               // colour dialog OK with this colour
void AnswerCancel();                          // any dialog cancelled
int PendingAnswers();
void ClearAnswers();

// Every request seen since the last ClearLog.
const std::vector<TModalRequest>& Log();
void ClearLog();
// The last request (a blank one when none).
TModalRequest LastRequest();

// Strict: no real box is ever shown; a request without an answer goes to the handler.
void SetStrict(bool On);
bool Strict();
// Returns the handler it replaces.
std::function<void(const TModalRequest&)> SetUnscriptedHandler(std::function<void(const TModalRequest&)> Handler);
// Runs for every box that is answered without being shown (from the queue or as unscripted),
// after its answer is taken and before it is given: the user's time with the box. A test may
// run the window's loop in it, so that timers tick and serial events arrive under the box as
// under a real one. Boxes that come up meanwhile are answered in turn (and run it again).
// Returns the handler it replaces.
std::function<void(const TModalRequest&)> SetWhileShown(std::function<void(const TModalRequest&)> Handler);

// Platform use: records R and answers from the queue, or from Real (shows the box) when
// not strict, or the handler and CancelAnswer when strict.
TModalAnswer Run(const TModalRequest& R, const std::function<TModalAnswer()>& Real, const TModalAnswer& CancelAnswer);

} // namespace ModalScript

#include "platform/forms/Dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <utility>

#include "platform/forms/Application.h"
#include "platform/forms/FormsImpl_p.h"

using namespace zvqt;

namespace {

QWidget* ActiveWindow()
{
    if (Screen && Screen->ActiveForm() && Screen->ActiveForm()->HandleAllocated())
        return zvforms::ImplOf(Screen->ActiveForm())->widget;
    return nullptr;
}

AnsiString Title()
{
    if (!Application)
        return AnsiString();
    return Application->Title();
}

QMessageBox::Icon IconOf(unsigned Flags)
{
    switch (Flags & 0xF0) {
    case MB_ICONHAND: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case MB_ICONASTERISK: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

// Shows a real box with the named buttons; returns the index of the one pressed
// (Escape: the index of EscapeIndex).
int RealBox(const AnsiString& Caption, const AnsiString& Text, QMessageBox::Icon Icon,
            const std::vector<AnsiString>& Buttons, int EscapeIndex)
{
    QMessageBox box(Icon, ToQString(Caption), ToQString(Text), QMessageBox::NoButton, ActiveWindow());
    std::vector<QAbstractButton*> btns;
    for (const auto& b : Buttons)
        btns.push_back(box.addButton(ToQString(b), QMessageBox::AcceptRole));
    if (EscapeIndex >= 0 && EscapeIndex < static_cast<int>(btns.size()))
        box.setEscapeButton(btns[static_cast<size_t>(EscapeIndex)]);
    box.exec();
    for (size_t i = 0; i < btns.size(); ++i)
        if (box.clickedButton() == btns[i])
            return static_cast<int>(i);
    return EscapeIndex;
}

TModalRequest Request(TModalKind Kind, const AnsiString& Caption, const AnsiString& Text,
                      std::vector<AnsiString> Buttons)
{
    TModalRequest r;
    r.Kind = Kind;
    r.Caption = Caption;
    r.Text = Text;
    r.Buttons = std::move(Buttons);
    return r;
}

// A box of R's buttons giving Ids; Escape (and a scripted cancel) gives Cancel.
int RunButtonBox(const TModalRequest& R, QMessageBox::Icon Icon, const std::vector<int>& Ids, int Cancel)
{
    TModalAnswer c;
    c.Result = Cancel;
    return ModalScript::Run(
               R,
               [&] {
                   int esc = 0;
                   for (size_t i = 0; i < Ids.size(); ++i)
                       if (Ids[i] == Cancel)
                           esc = static_cast<int>(i);
                   TModalAnswer x;
                   x.Result = Ids[static_cast<size_t>(RealBox(R.Caption, R.Text, Icon, R.Buttons, esc))];
                   return x;
               },
               c)
        .Result;
}

// An OK/Cancel dialog: Result 1 when accepted, 0 when cancelled.
TModalAnswer RunDialog(const TModalRequest& R, const std::function<TModalAnswer()>& Real)
{
    TModalAnswer c;
    c.Result = 0;
    return ModalScript::Run(R, Real, c);
}

} // namespace

int ShowMessageBox(const AnsiString& Text, const AnsiString& Caption, unsigned Flags)
{
    std::vector<AnsiString> names;
    std::vector<int> ids;
    int cancel = IDOK;
    switch (Flags & 0x0F) {
    case MB_OKCANCEL: names = {"OK", "Cancel"}; ids = {IDOK, IDCANCEL}; cancel = IDCANCEL; break;
    case MB_ABORTRETRYIGNORE: names = {"Abort", "Retry", "Ignore"}; ids = {IDABORT, IDRETRY, IDIGNORE}; cancel = IDABORT; break;
    case MB_YESNOCANCEL: names = {"Yes", "No", "Cancel"}; ids = {IDYES, IDNO, IDCANCEL}; cancel = IDCANCEL; break;
    case MB_YESNO: names = {"Yes", "No"}; ids = {IDYES, IDNO}; cancel = IDNO; break;
    case MB_RETRYCANCEL: names = {"Retry", "Cancel"}; ids = {IDRETRY, IDCANCEL}; cancel = IDCANCEL; break;
    default: names = {"OK"}; ids = {IDOK}; cancel = IDOK; break;
    }
    TModalRequest r = Request(TModalKind::MessageBox, Caption, Text, names);
    r.Flags = Flags;
    return RunButtonBox(r, IconOf(Flags), ids, cancel);
}

int MessageDlg(const AnsiString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int)
{
    static const struct {
        TMsgDlgBtnBit bit;
        const char* name;
        int result;
    } kButtons[] = {
        {mbYes, "Yes", mrYes}, {mbNo, "No", mrNo}, {mbOK, "OK", mrOk}, {mbCancel, "Cancel", mrCancel},
        {mbAbort, "Abort", mrAbort}, {mbRetry, "Retry", mrRetry}, {mbIgnore, "Ignore", mrIgnore},
        {mbAll, "All", mrAll}, {mbNoToAll, "No to All", mrNoToAll}, {mbYesToAll, "Yes to All", mrYesToAll},
        {mbHelp, "Help", mrNone},
    };
    std::vector<AnsiString> names;
    std::vector<int> ids;
    for (const auto& b : kButtons)
        if (Buttons & b.bit) {
            names.push_back(b.name);
            ids.push_back(b.result);
        }
    if (names.empty()) {
        names = {"OK"};
        ids = {mrOk};
    }
    int cancel = ids.front();
    if (Buttons & mbCancel)
        cancel = mrCancel;
    else if (Buttons & mbNo)
        cancel = mrNo;
    else if (Buttons & mbOK)
        cancel = mrOk;
    AnsiString caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (DlgType) {
    case mtWarning: caption = "Warning"; icon = QMessageBox::Warning; break;
    case mtError: caption = "Error"; icon = QMessageBox::Critical; break;
    case mtInformation: caption = "Information"; icon = QMessageBox::Information; break;
    case mtConfirmation: caption = "Confirm"; icon = QMessageBox::Question; break;
    default: caption = Title(); break;
    }
    TModalRequest r = Request(TModalKind::MessageDlg, caption, Msg, names);
    r.Flags = static_cast<unsigned>(DlgType);
    return RunButtonBox(r, icon, ids, cancel);
}

void ShowMessage(const AnsiString& Msg) { MessageDlg(Msg, mtCustom, mbOK); }

bool InputQuery(const AnsiString& ACaption, const AnsiString& APrompt, AnsiString& Value)
{
    TModalRequest r = Request(TModalKind::InputQuery, ACaption, APrompt, {"OK", "Cancel"});
    r.Value = Value;
    const TModalAnswer a = RunDialog(
        r,
        [&] {
            bool ok = false;
            const QString t = QInputDialog::getText(ActiveWindow(), ToQString(ACaption), ToQString(APrompt),
                                                    QLineEdit::Normal, ToQString(Value), &ok);
            TModalAnswer x;
            x.Result = ok ? 1 : 0;
            x.Value = FromQString(t);
            return x;
        });
    if (a.Result == 0)
        return false;
    Value = a.Value;
    return true;
}

AnsiString InputBox(const AnsiString& ACaption, const AnsiString& APrompt, const AnsiString& ADefault)
{
    AnsiString v = ADefault;
    return InputQuery(ACaption, APrompt, v) ? v : ADefault;
}

bool SelectDirectory(const AnsiString& Caption, const AnsiString& Root, AnsiString& Directory)
{
    return SelectDirectory(Caption, Root, Directory, 0);
}

bool SelectDirectory(const AnsiString& Caption, const AnsiString& Root, AnsiString& Directory, unsigned Options)
{
    return SelectDirectory(Caption, Root, Directory, Options, TDialogPlacement());
}

bool SelectDirectory(const AnsiString& Caption, const AnsiString& Root, AnsiString& Directory, unsigned Options,
                     const TDialogPlacement& Place)
{
    TModalRequest r = Request(TModalKind::SelectDirectory, Caption, Caption, {"OK", "Cancel"});
    r.Value = Directory;
    r.Folder = Root;
    r.Flags = Options;
    // The toolkit's own dialog: a desktop's native one cannot be placed.
    QFileDialog dlg(ActiveWindow(), ToQString(Caption), ToQString(Directory.empty() ? Root : Directory));
    dlg.setFileMode(QFileDialog::Directory);
    dlg.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog |
                   ((Options & sdNoNewFolder) ? QFileDialog::ReadOnly : QFileDialog::Options()));
    if (Place) {
        dlg.adjustSize();
        const TPoint at = Place(dlg.width(), dlg.height());
        dlg.move(at.x, at.y);
        r.Bounds = TRect(at.x, at.y, at.x + dlg.width(), at.y + dlg.height());
    }
    const TModalAnswer a = RunDialog(
        r,
        [&] {
            TModalAnswer x;
            x.Result = dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty() ? 1 : 0;
            x.Value = x.Result ? FromQString(dlg.selectedFiles().first()) : AnsiString();
            return x;
        });
    if (a.Result == 0)
        return false;
    Directory = a.Value;
    return true;
}

// ---------------------------------------------------------------- file dialogs

TOpenDialog::TOpenDialog(TComponent* AOwner) : TComponent(AOwner) {}

namespace {
// "Text (*.txt)|*.txt|All (*.*)|*.*" becomes Qt's "Text (*.txt);;All (*.*)" with the
// patterns the filter gives.
QStringList QtFilters(const AnsiString& Filter)
{
    QStringList out;
    const QStringList parts = ToQString(Filter).split('|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString pats = parts[i + 1];
        pats.replace(';', ' ');
        out << parts[i] + " (" + pats + ")";
    }
    return out;
}

// A name typed without a folder lies in the folder the dialog shows, as the window system's
// dialog gives it back (a scripted answer is a typed name too).
AnsiString InFolder(const AnsiString& Name, const AnsiString& Folder)
{
    const bool placed = Name.empty() || Name[0] == '/' || Name[0] == '\\' || (Name.size() > 1 && Name[1] == ':');
    if (placed || Folder.empty())
        return Name;
    return Folder + (Folder.back() == '/' ? "" : "/") + Name;
}

AnsiString WithDefaultExt(const AnsiString& Name, const AnsiString& Ext)
{
    if (Name.empty() || Ext.empty())
        return Name;
    const auto slash = Name.find_last_of("/\\");
    const auto dot = Name.rfind('.');
    if (dot != AnsiString::npos && (slash == AnsiString::npos || dot > slash))
        return Name;
    return Name + (Ext[0] == '.' ? "" : ".") + Ext;
}
} // namespace

bool TOpenDialog::Execute()
{
    const AnsiString caption = FTitle.empty() ? (IsSave() ? "Save As" : "Open") : FTitle;
    TModalRequest r = Request(IsSave() ? TModalKind::SaveDialog : TModalKind::OpenDialog, caption, caption,
                              {IsSave() ? "Save" : "Open", "Cancel"});
    r.Flags = FOptions;
    r.Value = FFileName;
    r.Filter = FFilter;
    r.Folder = FInitialDir;
    const TModalAnswer a = RunDialog(
        r,
        [&] {
            QFileDialog dlg(ActiveWindow(), ToQString(r.Caption), ToQString(FInitialDir));
            dlg.setAcceptMode(IsSave() ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
            dlg.setFileMode(IsSave() ? QFileDialog::AnyFile
                                     : (FOptions & ofFileMustExist) ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
            const QStringList filters = QtFilters(FFilter);
            if (!filters.isEmpty()) {
                dlg.setNameFilters(filters);
                if (FFilterIndex >= 1 && FFilterIndex <= filters.size())
                    dlg.selectNameFilter(filters[FFilterIndex - 1]);
            }
            if (!FDefaultExt.empty())
                dlg.setDefaultSuffix(ToQString(FDefaultExt));
            if (!FFileName.empty())
                dlg.selectFile(ToQString(FFileName));
            if (!(FOptions & ofOverwritePrompt))
                dlg.setOption(QFileDialog::DontConfirmOverwrite);
            TModalAnswer x;
            x.Result = dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty() ? 1 : 0;
            if (x.Result) {
                x.Value = FromQString(dlg.selectedFiles().front());
                const int idx = static_cast<int>(filters.indexOf(dlg.selectedNameFilter()));
                if (idx >= 0)
                    FFilterIndex = idx + 1;
            }
            return x;
        });
    if (a.Result == 0)
        return false;
    FFileName = WithDefaultExt(InFolder(a.Value, FInitialDir), FDefaultExt);
    return true;
}

TColorDialog::TColorDialog(TComponent* AOwner) : TComponent(AOwner) {}

bool TColorDialog::Execute()
{
    TModalRequest r = Request(TModalKind::ColorDialog, "Color", "Color", {"OK", "Cancel"});
    r.Color = FColor;
    const TModalAnswer a = RunDialog(
        r,
        [&] {
            const QColor q = QColorDialog::getColor(ToQColor(FColor), ActiveWindow());
            TModalAnswer x;
            x.Result = q.isValid() ? 1 : 0;
            x.Color = q.isValid() ? FromQColor(q) : FColor;
            return x;
        });
    if (a.Result == 0)
        return false;
    FColor = a.Color;
    return true;
}

// The shared parts of the saved text files.
#include "list/DataFile.h"

#include <optional>

#include "main/Lcr.h"
#include "platform/core/FileUtils.h"
#include "platform/core/SafeSave.h"
#include "platform/forms/Dialogs.h"
#include "platform/win/Paths.h"

TDataFileIdentity CurrentDataFileIdentity()
{
    const TLCRForm* f = LCRForm;
    return {f->ProgramVersionText, f->ProgramDateText, f->ExeDateTimeText, f->SerialNumber};
}

AnsiString PadField(const AnsiString& Text, size_t Width)
{
    return Text.size() >= Width ? Text : AnsiString(Width - Text.size(), ' ') + Text;
}

AnsiString NullField(const AnsiString& Text)
{
    return Text.empty() ? AnsiString("(null)") : Text;
}

AnsiString FieldLine(const std::vector<AnsiString>& Fields, const std::vector<int>& Widths, bool LeadingBlank)
{
    AnsiString line;
    line.reserve(256);
    for (size_t i = 0; i < Fields.size(); ++i) {
        if (LeadingBlank || i > 0)
            line += ' ';
        AppendField(line, Fields[i], i < Widths.size() ? static_cast<size_t>(Widths[i]) : 0);
    }
    return line;
}

AnsiString DataFileHeader(const AnsiString& Path, TDateTime When, const TDataFileIdentity& Who)
{
    AnsiString h;
    auto line = [&h](const AnsiString& Text) { h += Text + "\r\n"; };
    line(PadField("Date:" + FormatDateTime("yyyy'/'MM'/'dd", When), 15));
    line(PadField("Time:" + FormatDateTime("HH':'mm':'ss", When), 13));
    line(PadField("File_Name:" + Path, 20));
    line(PadField(Who.VersionText, 12));
    line(PadField(Who.VersionDate, 23));
    line(PadField("Exe_DateTime:", 13) + PadField(Who.ExeDateTime, 19));
    line(PadField("Serial_No:", 10) + PadField(Who.SerialNumber, 10));
    return h;
}

static bool EndsWith(const AnsiString& S, const AnsiString& Tail)
{
    return S.size() >= Tail.size() && S.compare(S.size() - Tail.size(), Tail.size(), Tail) == 0;
}

AnsiString WithNameMarker(const AnsiString& Path, const AnsiString& Marker)
{
    if (EndsWith(Path, ".txt")) {
        const AnsiString stem = Path.substr(0, Path.size() - 4);
        return EndsWith(stem, Marker) ? Path : stem + "_" + Marker + ".txt";
    }
    return EndsWith(Path, Marker) ? Path : Path + "_" + Marker + ".txt";
}

bool HasNameMarker(const AnsiString& Path, const AnsiString& Marker)
{
    if (Path.size() < Marker.size() + 4)
        return false;
    return Path.compare(Path.size() - 4 - Marker.size(), Marker.size(), Marker) == 0;
}

void SetUpFileDialog(TOpenDialog* Dialog, const AnsiString& Title, const AnsiString& Folder,
    const AnsiString& Filter, const AnsiString& DefaultExt)
{
    Dialog->SetTitle(Title);
    Dialog->SetInitialDir(DialogStartFolder(Folder));
    Dialog->SetFilter(Filter);
    Dialog->SetDefaultExt(DefaultExt);
    // A name kept from the last choice would take the dialog to that file's folder.
    Dialog->SetFileName("");
}

AnsiString ChooseSaveFile(TSaveDialog* Dialog, const AnsiString& Title, const AnsiString& Folder,
    const AnsiString& Marker)
{
    SetUpFileDialog(Dialog, Title, Folder, "Text(*.txt)|*.txt", "txt");
    if (!Dialog->Execute())
        return "";
    const AnsiString path = WithNameMarker(Dialog->FileName(), Marker);
    if (FileExists(MapWindowsPath(path)) &&
        ShowMessageBox("Overwrite the exists file !", "Warning", MB_OKCANCEL) != IDOK)
        return "";
    return path;
}

void WriteFileLine(TSafeSave& File, const AnsiString& Line)
{
    File.Write(Line);
    File.Write("\r\n");
}

bool SafeSaveFile(const AnsiString& Path, const std::function<void(TSafeSave&)>& Write)
{
    const AnsiString target = MapWindowsPath(Path);
    ForceDirectories(ExtractFileDir(target));
    std::optional<TSafeSave> file;
    for (int attempt = 0; attempt < 3 && !(file && file->IsOpen()); ++attempt)
        file.emplace(target);
    bool ok = file->IsOpen();
    if (ok) {
        // Thrown out of Write, the save is given up as the file goes.
        Write(*file);
        ok = file->Commit();
    }
    if (!ok)
        ShowMessageBox("The file " + Path + " cannot be written !", "Warning", MB_OK | MB_ICONWARNING);
    return ok;
}

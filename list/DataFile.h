#pragma once
// What every saved text file of the program shares: the seven header lines, the
// right-aligned fields, the name rule of the save dialogs and the safe save.
#include <functional>
#include <string_view>
#include <vector>

#include "platform/core/DateTime.h"
#include "platform/core/Types.h"

class TOpenDialog;
class TSafeSave;
class TSaveDialog;

// The texts the header names besides the date, the time and the path.
struct TDataFileIdentity {
    AnsiString VersionText;   // "Version:2.05"
    AnsiString VersionDate;   // "Version_Date:2021/11/25"
    AnsiString ExeDateTime;   // 19 characters or empty
    AnsiString SerialNumber;
};

// The identity of the running program and the connected instrument.
TDataFileIdentity CurrentDataFileIdentity();

// The seven header lines, each ended by "\r\n".
AnsiString DataFileHeader(const AnsiString& Path, TDateTime When, const TDataFileIdentity& Who);

// Text right-aligned in Width; a longer text is kept whole.
AnsiString PadField(const AnsiString& Text, size_t Width);
// "(null)" for an empty text.
AnsiString NullField(const AnsiString& Text);
// Fields right-aligned in their widths and joined by Separator; Lead goes before the first.
AnsiString FieldLine(const std::vector<AnsiString>& Fields, const std::vector<int>& Widths, bool LeadingBlank);
// Appends Text right-aligned in Width (wider text whole), as FieldLine does each field.
// Inline, one growth of the line: a result file runs it for every field of every record.
inline void AppendField(AnsiString& Line, std::string_view Text, size_t Width)
{
    const size_t at = Line.size(), pad = Text.size() < Width ? Width - Text.size() : 0;
    Line.resize(at + pad + Text.size(), ' ');
    Text.copy(Line.data() + at + pad, Text.size());
}

// The name rule of a save dialog: a name lacking "<Marker>" before ".txt" gets "_<Marker>.txt".
AnsiString WithNameMarker(const AnsiString& Path, const AnsiString& Marker);
// The 'Marker' letters stand right before the extension (the open dialog's check).
bool HasNameMarker(const AnsiString& Path, const AnsiString& Marker);

// Sets a file dialog up as every dialog of the program is: its title, its start folder (the
// Windows folder's place under the prefix), filter and extension, and no file name yet.
void SetUpFileDialog(TOpenDialog* Dialog, const AnsiString& Title, const AnsiString& Folder,
    const AnsiString& Filter, const AnsiString& DefaultExt);

// Asks for a file name with the dialog set up anew; applies the name rule and asks before
// replacing an existing file. "" when the user cancelled either question.
AnsiString ChooseSaveFile(TSaveDialog* Dialog, const AnsiString& Title, const AnsiString& Folder,
    const AnsiString& Marker);

// Writes a file without ever losing the one already there: Write fills a temporary file in
// the same folder, which then replaces Path. A file that cannot be written is named in a
// "Warning" box and false is returned; the old file stays as it was.
bool SafeSaveFile(const AnsiString& Path, const std::function<void(TSafeSave&)>& Write);

// One line ended by "\r\n".
void WriteFileLine(TSafeSave& File, const AnsiString& Line);

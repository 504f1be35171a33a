// The list setup file and the list result file, byte for byte, through the window's buttons.
#include <regex>

#include "components/controls/Voduriz.h"
#include "list/ListButtons.h"
#include "list/ListPublic.h"
#include "platform/core/FileUtils.h"
#include "tests/list/ListTestSupport.h"

namespace {

const std::vector<AnsiString> DefaultStep{"1", "Cs-Rs", "Freq(kHz)", "1.000", "Level(V)", "1.00", "Primary", "SEQ",
    "", "pF", "0.00000", "0.00000", "", "", "", "", "OFF", "OFF"};
const std::vector<AnsiString> AbsStep{"2", "Ls-Rs", "Freq(Hz)", "100.0", "Level(mA)", "0.10", "Both", "SEQ", "",
    "KH", "1.00000", "2.00000", "", " ohm", "-5.00000", "5.00000", "ABS", "OFF"};

const char* const SetupSection =
    "**********List_Setup**********\r\n"
    "  Step  Function  Freq_Type  Freq_Value  Level_Type  Level_Value  Limit_Type  Limit_Mode       (null)    Unit"
    "  Primary_Lower  Primary_Upper      (null)    Unit  Second_Lower  Second_Upper  Monitor(1)  Monitor(2)   Nominal"
    "    Unit\r\n"
    "     1     Cs-Rs  Freq(kHz)       1.000    Level(V)         1.00     Primary         SEQ       (null)      pF"
    "        0.00000        0.00000      (null)  (null)        (null)        (null)         OFF         OFF    (null)"
    "  (null)\r\n"
    "     2     Ls-Rs   Freq(Hz)       100.0   Level(mA)         0.10        Both         SEQ       (null)      KH"
    "        1.00000        2.00000      (null)     ohm      -5.00000       5.00000         ABS         OFF   2.50000"
    "      KH\r\n";

// The header after its date and time lines.
std::string HeaderTail(const AnsiString& Path)
{
    return "File_Name:" + Path + "\r\nVersion:2.05\r\nVersion_Date:2021/11/25\r\n"
        "Exe_DateTime:2021/11/25-10:00:00\r\nSerial_No:ZV25110042\r\n";
}

} // namespace

class ListFiles : public ListFixture {
protected:
    void SetUp() override
    {
        ListFixture::SetUp();
        Form->SerialNumber = "ZV25110042";
        Form->ExeDateTimeText = "2021/11/25-10:00:00";
        FillSteps({DefaultStep, AbsStep});
        Form->StepNominal[2] = 25000;
        Form->StepNominalUnit[2] = 3;
        ModalScript::ClearLog();
    }

    // The file without its first two lines, which hold the moment of saving.
    static std::string AfterDateAndTime(const std::string& Bytes)
    {
        static const std::regex head(R"(Date:\d{4}/\d\d/\d\d\r\nTime:\d\d:\d\d:\d\d\r\n)");
        std::smatch m;
        EXPECT_TRUE(std::regex_search(Bytes, m, head) && m.position(0) == 0) << Bytes.substr(0, 40);
        return Bytes.substr(static_cast<size_t>(m.length(0)));
    }
};

TEST_F(ListFiles, SetupFileIsWrittenByteForByteAndReadBack)
{
    const AnsiString dir = ListTestFolder("setup");
    DeleteFile(dir + "plan_ListSetup.txt");
    ModalScript::AnswerFile(dir + "plan");
    Form->ListSetupSaveBtnClick(nullptr);
    const AnsiString path = dir + "plan_ListSetup.txt";
    const std::string bytes = ReadAll(path);
    EXPECT_EQ(AfterDateAndTime(bytes), HeaderTail(path) + SetupSection + "**********END**********\r\n");
    EXPECT_TRUE(Messages().empty()) << (Messages().empty() ? AnsiString() : Messages()[0]);

    // Back: a new list, then Open.
    Form->ListSetupNewBtnClick(nullptr);
    EXPECT_EQ(SetupGrid()->GetRowCountEx(), 2);
    Form->StepNominal[2] = Form->StepNominalUnit[2] = 0;
    ModalScript::AnswerFile(path);
    Form->ListSetupOpenBtnClick(nullptr);
    EXPECT_EQ(Row(SetupGrid(), 1, 18), DefaultStep);
    EXPECT_EQ(Row(SetupGrid(), 2, 18), AbsStep);
    EXPECT_EQ(Form->StepNominal[2], 25000);
    EXPECT_EQ(Form->StepNominalUnit[2], 3);
    EXPECT_EQ(Form->ListStepCount, 2);

    // A file read with bare line feeds gives the same list.
    std::string lf = bytes;
    lf.erase(std::remove(lf.begin(), lf.end(), '\r'), lf.end());
    WriteAll(dir + "lf_ListSetup.txt", lf);
    Form->ListSetupNewBtnClick(nullptr);
    ModalScript::AnswerFile(dir + "lf_ListSetup.txt");
    Form->ListSetupOpenBtnClick(nullptr);
    EXPECT_EQ(Row(SetupGrid(), 2, 18), AbsStep);
}

// Each file dialog of the list tabs starts in its folder under the prefix, with no name yet;
// a name typed without a folder is saved there and opened from there.
TEST_F(ListFiles, DialogsStartInTheirFoldersUnderThePrefix)
{
    const AnsiString setup = "C:\\Zorvane\\ListSetup", meas = "C:\\Zorvane\\ListMeasResult";
    const struct { TOwShadowButton* Button; bool SetupTab; AnsiString Folder; TModalKind Kind; const char* Typed;
        const char* File; } cases[] = {
        {Form->ListSetupSaveBtn, true, setup, TModalKind::SaveDialog, "plan", "plan_ListSetup.txt"},
        {Form->ListMeasResultSaveBtn, false, meas, TModalKind::SaveDialog, "run", "run_ListMeasResult.txt"},
        {Form->ListSetupOpenBtn, true, setup, TModalKind::OpenDialog, "plan_ListSetup.txt", "plan_ListSetup.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Typed);
        ShowListTab(c.SetupTab);
        ModalScript::ClearLog();
        ModalScript::AnswerCancel();
        ClickButton(c.Button);
        const TModalRequest r = ModalScript::LastRequest();
        EXPECT_EQ(r.Kind, c.Kind);
        EXPECT_EQ(r.Folder, MapWindowsPath(c.Folder));
        EXPECT_TRUE(DirectoryExists(r.Folder)) << r.Folder;
        EXPECT_EQ(r.Value, "");

        const AnsiString file = MapWindowsPath(c.Folder + "\\" + c.File);
        if (c.Kind == TModalKind::OpenDialog)
            Form->ListSetupNewBtnClick(nullptr);
        else
            DeleteFile(file);
        ModalScript::AnswerFile(c.Typed);
        ClickButton(c.Button);
        EXPECT_TRUE(FileExists(file)) << file;
        EXPECT_TRUE(Messages().empty()) << Messages()[0];
        // The dialog opens in its folder again, not in the last file's.
        ModalScript::AnswerCancel();
        ClickButton(c.Button);
        EXPECT_EQ(ModalScript::LastRequest().Folder, MapWindowsPath(c.Folder));
        EXPECT_EQ(ModalScript::LastRequest().Value, "");
    }
    EXPECT_EQ(Row(SetupGrid(), 2, 18), AbsStep); // opened back from the folder
    EXPECT_EQ(Form->StepNominal[2], 25000);
}

TEST_F(ListFiles, OverwriteIsAskedAndTheOldFileStaysWhenNoNewOneCanBeWritten)
{
    const AnsiString dir = ListTestFolder("overwrite");
    const AnsiString path = dir + "keep_ListSetup.txt";
    WriteAll(path, "old");
    ModalScript::AnswerFile(path);
    ModalScript::AnswerButton(IDCANCEL);
    Form->ListSetupSaveBtnClick(nullptr);
    EXPECT_EQ(ModalScript::LastRequest().Text, "Overwrite the exists file !");
    EXPECT_EQ(ReadAll(path), "old");

    // The temporary file's place is taken: nothing can be written, the old file is kept.
    ForceDirectories(path + ".saving");
    ModalScript::AnswerFile(path);
    ModalScript::AnswerButton(IDOK);
    ModalScript::AnswerButton(IDOK);
    Form->ListSetupSaveBtnClick(nullptr);
    EXPECT_EQ(ModalScript::LastRequest().Caption, "Warning");
    EXPECT_NE(ModalScript::LastRequest().Text.find(path), AnsiString::npos);
    EXPECT_EQ(ReadAll(path), "old");
    RemoveDir(path + ".saving");

    // A folder that cannot be made (its parent is a file).
    ModalScript::AnswerFile(path + "/inner");
    ModalScript::AnswerButton(IDOK);
    Form->ListMeasResultSaveBtnClick(nullptr);
    EXPECT_EQ(ModalScript::LastRequest().Caption, "Warning");
    EXPECT_NE(ModalScript::LastRequest().Text.find("inner_ListMeasResult.txt"), AnsiString::npos);
}

TEST_F(ListFiles, BadSetupFilesAreRefusedAndTheListStays)
{
    const AnsiString dir = ListTestFolder("bad");
    const std::string head = "Date:2021/11/25\r\n**********List_Setup**********\r\n"
        "Step Function Freq_Type Freq_Value Level_Type Level_Value Limit_Type Limit_Mode (null) Unit Primary_Lower "
        "Primary_Upper (null) Unit Second_Lower Second_Upper Monitor(1) Monitor(2) Nominal Unit\r\n";
    auto step = [](int n, const char* unit, const char* nominal = "1.00000") {
        return std::to_string(n) + " Cs-Rs Freq(kHz) 1.000 Level(V) 1.00 Primary SEQ (null) pF 0.00000 0.00000 "
            "(null) (null) (null) (null) ABS OFF " + nominal + " " + unit + "\r\n";
    };
    std::string many = head;
    for (int n = 1; n <= 1001; ++n)
        many += step(n, "nF");
    many += "**********END**********\r\n";
    WriteAll(dir + "many_ListSetup.txt", many);
    WriteAll(dir + "cut_ListSetup.txt", head + step(1, "nF") + "2 Cs-Rs Freq(kHz)");
    WriteAll(dir + "odd_ListSetup.txt", head + step(1, "xF") + "**********END**********\r\n");
    WriteAll(dir + "abc.txt", head);
    // Nominals the list cannot hold (it keeps ten-thousandths in an int).
    const char* huge[] = {"1e308", "-1e308", "1e999", "214749", "nan", "inf"};
    for (const char* n : huge)
        WriteAll(dir + "huge" + n + "_ListSetup.txt", head + step(1, "nF") + step(2, "nF", n) + "**********END**********\r\n");

    const struct { std::string File; const char* Message; } refused[] = {
        {"cut_ListSetup.txt", "The file is not complete !"},
        {"abc.txt", "File name format Error !"},
        {"huge1e308_ListSetup.txt", "Step2 nominal is no number !"},
        {"huge-1e308_ListSetup.txt", "Step2 nominal is no number !"},
        {"huge1e999_ListSetup.txt", "Step2 nominal is no number !"},
        {"huge214749_ListSetup.txt", "Step2 nominal is no number !"},
        {"hugenan_ListSetup.txt", "Step2 nominal is no number !"},
        {"hugeinf_ListSetup.txt", "Step2 nominal is no number !"},
    };
    for (const auto& r : refused) {
        ModalScript::AnswerFile(dir + r.File);
        ModalScript::AnswerButton(IDOK);
        Form->ListSetupOpenBtnClick(nullptr);
        EXPECT_EQ(ModalScript::LastRequest().Text.substr(0, strlen(r.Message)), r.Message) << r.File;
        EXPECT_EQ(Row(SetupGrid(), 2, 18), AbsStep) << r.File;
        EXPECT_EQ(Form->StepNominal[2], 25000) << r.File;
    }

    // Steps beyond the list's 1000: the first 1000 are taken, with a warning.
    ModalScript::ClearLog();
    ModalScript::AnswerFile(dir + "many_ListSetup.txt");
    ModalScript::AnswerButton(IDOK);
    Form->ListSetupOpenBtnClick(nullptr);
    EXPECT_EQ(Messages(), std::vector<AnsiString>{" 1 <= Step Count <= 1000  " + dir + "many_ListSetup.txt"});
    EXPECT_EQ(Form->ListStepCount, 1000);
    EXPECT_EQ(SetupGrid()->GetRowCountEx(), 1001);
    EXPECT_EQ(SetupGrid()->GetCellEx(0, 1000), "1000");
    EXPECT_EQ(Form->StepNominalUnit[1000], 1);

    // An unknown unit takes the first position of the function's list.
    ModalScript::AnswerFile(dir + "odd_ListSetup.txt");
    Form->ListSetupOpenBtnClick(nullptr);
    EXPECT_EQ(Form->ListStepCount, 1);
    EXPECT_EQ(Form->StepNominal[1], 10000);
    EXPECT_EQ(Form->StepNominalUnit[1], 0);
}

TEST_F(ListFiles, ResultFileHoldsTheSetupOfTheRunAndSplitsEveryValue)
{
    Form->MeasuredSetupSection = ListSetupSectionText();
    // The setup changed after the run: the file keeps the one the records were measured with.
    SetupGrid()->SetCellEx(1, 1, "Cp-D");
    Meas()->SetRowCountEx(4);
    const std::vector<std::vector<AnsiString>> records{
        {"1", "1", "Cs-Rs", "OFF", "OFF", "1.000 kHz", "1.00 V", " 99.9870 nF", " 2.00013  ohm", "", "", "PASS"},
        {"1", "2", "Ls-Rs", "ABS", "OFF", "100.0 Hz", "0.10 mA", "OVERLOAD  H", "0.00000  ohm", "-1.2345 uH", "",
            "FAIL,PASS"},
        {"", "", "", "", "", "", "", "", "", "", "", ""}};
    for (size_t r = 0; r < records.size(); ++r)
        for (size_t c = 0; c < 12; ++c)
            Meas()->SetCellEx(static_cast<int>(c), static_cast<int>(r) + 1, records[r][c]);
    const AnsiString dir = ListTestFolder("result");
    DeleteFile(dir + "run1_ListMeasResult.txt");
    ModalScript::AnswerFile(dir + "run1.txt");
    Form->ListMeasResultSaveBtnClick(nullptr);
    const AnsiString path = dir + "run1_ListMeasResult.txt";
    EXPECT_EQ(AfterDateAndTime(ReadAll(path)), HeaderTail(path) + SetupSection +
        "**********List_Meas_Result**********\r\n"
        " Record_No   Loop   Step  Function   Mon(1)   Mon(2)    Freq(kHz)        Level   Unit    Primary   Unit"
        "     Second   Unit   Monitor(1)   Unit   Monitor(2)   Unit   CMP(P/S)\r\n"
        "         1      1      1     Cs-Rs      OFF      OFF        1.000         1.00      V    99.9870     nF"
        "    2.00013    ohm       (null) (null)       (null) (null)       PASS\r\n"
        "         2      1      2     Ls-Rs      ABS      OFF      0.10000         0.10     mA   OVERLOAD      H"
        "    0.00000    ohm      -1.2345     uH       (null) (null)  FAIL,PASS\r\n"
        "         3 (null) (null)    (null)   (null)   (null)       (null)       (null) (null)     (null) (null)"
        "     (null) (null)       (null) (null)       (null) (null)     (null)\r\n"
        "**********END**********\r\n");
}

// Words of any length are read whole; a line whose first word is longer than 10 characters
// ends the steps, the marker of a following section as well as any other.
TEST_F(ListFiles, LongWordsAreReadWhole)
{
    const AnsiString dir = ListTestFolder("long");
    const std::string head = "**********List_Setup**********\r\n"
        "Step Function Freq_Type Freq_Value Level_Type Level_Value Limit_Type Limit_Mode (null) Unit Primary_Lower "
        "Primary_Upper (null) Unit Second_Lower Second_Upper Monitor(1) Monitor(2) Nominal Unit\r\n"
        "0000000001 Cp-D Freq(kHz) 1.00000000000 Level(V) 1.00 Primary SEQ (null) nF 90.0000000000 "
        "110.000000000000 (null) (null) (null) (null) REL OFF 2.50000000000000 uF\r\n"
        "2 Ls-Rs Freq(Hz) 100.0 Level(mA) 0.10 Both SEQ (null) KH 1.00000 2.00000 (null) ohm -5.00000 5.00000 ABS "
        "OFF 2.50000 KH\r\n";
    const struct { const char* File; const char* Tail; } files[] = {
        {"long_ListSetup.txt", "**********END**********\r\n"},
        {"result_ListSetup.txt", "**********List_Meas_Result**********\r\n Record_No Loop Step\r\n"},
        {"stop_ListSetup.txt", "00000000003 Cs-Rs Freq(kHz) 1.000 Level(V) 1.00 Primary SEQ (null) pF 0.00000 "
            "0.00000 (null) (null) (null) (null) OFF OFF (null) (null)\r\n**********END**********\r\n"},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.File);
        Form->ListSetupNewBtnClick(nullptr);
        WriteAll(dir + f.File, head + f.Tail);
        ModalScript::AnswerFile(dir + f.File);
        Form->ListSetupOpenBtnClick(nullptr);
        EXPECT_TRUE(Messages().empty()) << (Messages().empty() ? AnsiString() : Messages()[0]);
        ASSERT_EQ(Form->ListStepCount, 2);
        EXPECT_EQ(Row(SetupGrid(), 1, 18), (std::vector<AnsiString>{"1", "Cp-D", "Freq(kHz)", "1.00000000000",
            "Level(V)", "1.00", "Primary", "SEQ", "", "nF", "90.0000000000", "110.000000000000", "", "", "", "",
            "REL", "OFF"}));
        EXPECT_EQ(Form->StepNominal[1], 25000);
        EXPECT_EQ(Form->StepNominalUnit[1], 2);
        EXPECT_EQ(Row(SetupGrid(), 2, 18), AbsStep);
    }
}

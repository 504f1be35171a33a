#include "panel/PanelPictures.h"

#include <set>

#include "components/controls/Owdesign.h"
#include "main/Lcr.h"
#include "platform/core/Exceptions.h"
#include "platform/core/FileUtils.h"
#include "platform/forms/Image.h"
#include "platform/win/Paths.h"

const char* const kFunctionWords[16] = {"Cs_Rs", "Cs_D", "Cp_Rp", "Cp_D", "Lp_Rp", "Lp_Q", "Ls_Rs", "Ls_Q",
                                        "Rs_Q",  "Rp_Q", "R_X",   "DCR",  "Z_0r",  "Z_0d", "Z_D",   "Z_Q"};
const char* const kMonitorWords[15] = {"Off", "Z", "D", "Q", "Vac", "Iac", "Abs", "Rel",
                                       "0r",  "0d", "R", "X", "G",  "B",   "Y"};
const char* const kOpenWords[6] = {"Off", "2Per", "5Per", "10Per", "20Per", "50Per"};

AnsiString ChoicePicture(const AnsiString& Word, bool Current)
{
    return "View" + Word + (Current ? "_R.bmp" : "_Y.bmp");
}

AnsiString UnitKeyPicture(const AnsiString& Unit)
{
    return "View" + Unit + "_Y.bmp";
}

AnsiString FieldPicture(const AnsiString& Word, const AnsiString& Variant)
{
    return "ViewPara" + Word + "_" + Variant + ".bmp";
}

namespace {

std::vector<AnsiString> BuildNames()
{
    std::vector<AnsiString> names;
    std::set<AnsiString> seen;
    const auto add = [&](const AnsiString& n) {
        if (seen.insert(n).second)
            names.push_back(n);
    };
    // The fixed pictures of the panel, in the order the window loads them.
    add("QN2.bmp");
    for (int d = 0; d < 10; ++d)
        add("Btn" + std::to_string(d) + "_1.bmp");
    for (const char* n : {"BtnDot1", "BtnAddReduce1", "BtnEsc1", "BtnTrig1", "Up2", "Down2", "Lift2", "Right2",
                          "Enter1", "Power2", "Power_White", "BtnMeas", "BtnSetup", "Warning", "test",
                          "ViewLockComputer", "USB", "BtnC", "ViewMeasDisplay", "ViewListSetup", "ViewListMeas",
                          "ViewSweepGraph", "ViewParaFrame"})
        add(AnsiString(n) + ".bmp");

    for (const char* n : {"Power_Green", "Enlarge", "Normal", "X_AxisBlank", "ViewMeasSetup", "ViewBinMeas",
                          "ViewBinSetup", "ViewBinCount", "ViewStartLog", "ViewStopLog_Y", "ViewResetCount",
                          "View1Bins_R", "MeasDispFunc8", "BinEnlaDispFunc8", "MeasDispMonABS", "MeasDispMonREL",
                          "EnlaDispMonABS", "EnlaDispMonREL", "QN", "Zorvane"})
        add(AnsiString(n) + ".bmp");
    for (int page = 1; page <= 4; ++page)
        add("ViewMore" + std::to_string(page) + ".bmp");

    std::vector<const char*> choices(std::begin(kFunctionWords), std::end(kFunctionWords));
    choices.insert(choices.end(), std::begin(kMonitorWords), std::end(kMonitorWords));
    choices.insert(choices.end(), std::begin(kOpenWords), std::end(kOpenWords));
    for (const char* w : {"Incr", "Decl", "AlcOn", "AlcOff", "AutoRange", "HoldRange", "NominalRange", "30ohm",
                          "50ohm", "100ohm", "2V", "1_5V", "_1_5V", "_2V", "Int", "Man", "Ext", "Bus", "Slow", "Med",
                          "Fast", "On", "AbsW", "PerW", "Seq", "Pass", "Fail", "CountOn", "CountOff", "Delete",
                          "DeleteLine", "ClearTable"})
        choices.push_back(w);
    for (const char* w : choices) {
        add(ChoicePicture(w, false));
        add(ChoicePicture(w, true));
    }
    for (const char* u : {"Hz", "kHz", "mV", "V", "uA", "mA", "mS", "S", "pF", "nF", "uF", "mF", "uH", "mH", "H",
                          "KH", "ohm", "Kohm", "Mohm", "DCRmohm", "0rr", "0d0"})
        add(UnitKeyPicture(u));

    struct TGroup {
        std::vector<const char*> Words;
        std::vector<const char*> Variants;
    };
    const TGroup groups[] = {
        {{"Range100K", "Range30K", "Range10K", "Range3K", "Range1K", "Range300", "Range100", "Range30", "Range10",
          "RangeDCR10", "Range1"},
         {"G", "B"}},
        {{"SRC30", "SRC50", "SRC100"}, {"G", "B", "BG"}},
        {{"Z_0r", "Z_0d"}, {"G", "B", "WB"}},
        {{"ABS", "REL", "0r", "0d"}, {"G", "B", "BG"}},
        {{"pF", "nF", "uF", "mF", "uH", "mH", "H", "KH", "ohm", "Kohm", "Mohm", "DCRmohm"},
         {"G", "B", "BG", "BA", "BW", "NG", "NGray", "NW"}},
        {{"Per"}, {"G", "B", "BG", "BW", "NG", "NGray", "NW"}},
        {{"0rr", "0d0"}, {"G", "B", "BG", "BW"}},
        {{"BinFrame"}, {"B"}},
    };
    for (const TGroup& g : groups)
        for (const char* w : g.Words)
            for (const char* v : g.Variants)
                add(FieldPicture(w, v));

    for (const char* n : {"C_pF", "C_nF", "C_uF", "C_mF", "F", "L_uH", "L_mH", "L_H", "L_KH", "ohm_ohm", "ohm_K",
                          "ohm_M", "8r_r", "8d_0"})
        add(AnsiString("FuncUnit") + n + ".bmp");
    for (const char* n : {"C_F", "C_pF", "C_nF", "C_uF", "C_mF", "L_H", "L_uH", "L_mH", "ohm_ohm", "ohm_K", "ohm_M",
                          "BG_S", "BG_mS", "BG_uS", "Iac_A", "Iac_mA", "Vac_V", "8r_r", "8d_0", "REL"})
        add(AnsiString("MonUnit") + n + ".bmp");
    return names;
}

TPictureLoadHook gLoadHook = nullptr;

AnsiString PicturePath(const AnsiString& Folder, const AnsiString& Name)
{
    return MapWindowsPath(Folder + Name);
}

} // namespace

const std::vector<AnsiString>& PanelPictureNames()
{
    static const std::vector<AnsiString> names = BuildNames();
    return names;
}

AnsiString FirstMissingPanelPicture(const AnsiString& BitmapFolder)
{
    for (const AnsiString& n : PanelPictureNames())
        if (!FileExists(PicturePath(BitmapFolder, n)))
            return n;
    return "";
}

void SetPictureLoadHook(TPictureLoadHook Hook)
{
    gLoadHook = Hook;
}

void LoadPanelPicture(TImage* Image, const AnsiString& Name)
{
    if (gLoadHook)
        gLoadHook(Name, Image);
    if (!Image)
        return;
    // A field's picture carries its band or selection colour: none of it is see-through.
    if (Name.rfind("ViewPara", 0) == 0 && Name != kEmptyKey)
        Image->SetTransparent(false);
    try {
        Image->Picture()->LoadFromFile(PicturePath(LCRForm->BitmapFolder, Name));
    } catch (const Exception&) {
        Image->Picture()->SetGraphic(nullptr);
    }
}

void LoadPanelGlyph(TOwBitmapButton* Key, const AnsiString& Name)
{
    if (gLoadHook)
        gLoadHook(Name, Key);
    if (!Key)
        return;
    try {
        Key->Glyph()->LoadFromFile(PicturePath(LCRForm->BitmapFolder, Name));
    } catch (const Exception&) {
        Key->Glyph()->SetSize(0, 0);
    }
}

void TLCRForm::LoadPanelBitmaps()
{
    // One check of the whole set, so that a missing file is named once, at start-up.
    const AnsiString missing = FirstMissingPanelPicture(BitmapFolder);
    if (!missing.empty())
        throw EFOpenError("The front-panel picture \"" + missing + "\" is missing from " +
                          MapWindowsPath(BitmapFolder) + ". Install the picture set with tools/panel-art/install-panel-art.sh.");
    LoadPanelPicture(QNIma, "QN2.bmp");
    TOwBitmapButton* digits[10] = {ZeroBtn, OneBtn, TwoBtn, ThreeBtn, FourBtn, FiveBtn, SixBtn, SevenBtn, EightBtn, NineBtn};
    for (int d = 0; d < 10; ++d)
        LoadPanelGlyph(digits[d], "Btn" + std::to_string(d) + "_1.bmp");
    const struct {
        TOwBitmapButton* Key;
        const char* Name;
    } keys[] = {{DotBtn, "BtnDot1.bmp"}, {PlusMinusLeftBtn, "BtnAddReduce1.bmp"}, {EscBtn, "BtnEsc1.bmp"},
                {TrigBtn, "BtnTrig1.bmp"}, {UpBtn, "Up2.bmp"}, {DownBtn, "Down2.bmp"}, {LeftBtn, "Lift2.bmp"},
                {RightBtn, "Right2.bmp"}, {EnterBtn, "Enter1.bmp"}};
    for (const auto& k : keys)
        LoadPanelGlyph(k.Key, k.Name);
    LoadPanelPicture(PowerIma, "Power2.bmp");
    LoadPanelGlyph(PowerBtn, "Power_White.bmp");
    LoadPanelGlyph(MeasBtn, "BtnMeas.bmp");
    LoadPanelGlyph(Setupbtn, "BtnSetup.bmp");
    LoadPanelPicture(WarningIma, "Warning.bmp");
    for (TImage* i : {OutputIma1, OutputIma2, OutputIma3, OutputIma4})
        LoadPanelPicture(i, "test.bmp");
    LoadPanelPicture(LockCompIma, "ViewLockComputer.bmp");
    LoadPanelPicture(USBIma, "USB.bmp");
    for (TOwBitmapButton* k : {View1Btn, View2Btn, View3Btn, View4Btn, View5Btn, View6Btn, View7Btn, View8Btn})
        LoadPanelGlyph(k, "BtnC.bmp");
    LoadPanelPicture(View1Ima, "ViewMeasDisplay.bmp");
    LoadPanelPicture(View2Ima, "ViewListSetup.bmp");
    LoadPanelPicture(View3Ima, "ViewListMeas.bmp");
    LoadPanelPicture(View4Ima, "ViewSweepGraph.bmp");
    LoadPanelPicture(View5Ima, "ViewParaFrame.bmp");
}

#include "tools/panel-art/PanelArtTable.h"

#include <map>
#include <stdexcept>

#include "tools/panel-art/PanelArtColours.h"

namespace PanelArt {
namespace {

// Sizes, chosen to fit the panel layout: keys 55 x 24 (a 58 x 27 key with the press
// indents), soft-key labels five abreast under a 332 wide page, field pictures one
// field row high.
struct Size {
    int W;
    int H;
};
constexpr Size KeySize{55, 24};
constexpr Size ArrowKeySize{40, 24};
constexpr Size PowerKeySize{44, 44};
constexpr Size SoftLabelSize{64, 32};
constexpr Size RangeSize{72, 18};
constexpr Size SourceResSize{48, 18};
constexpr Size FunctionSize{64, 18};
constexpr Size MonitorSize{52, 18};
constexpr Size UnitCellSize{30, 16};
constexpr Size FuncUnitSize{64, 40};
constexpr Size MonUnitSize{44, 24};

// A word of a naming rule and what its picture shows.
struct Word {
    const char* Name;
    const char* Caption;
};

// Colours of one field-picture variant.
struct Variant {
    const char* Name;
    Rgb Paper;
    Rgb Ink;
};

// The variants of the field pictures: the first letter names the background, the rest
// the text (plain G and B are the selected and the not selected field).
constexpr Variant VarG{"G", Lime, Black};         // selected field
constexpr Variant VarB{"B", Black, Lime};         // not selected
constexpr Variant VarBG{"BG", Black, Grey};       // inactive
constexpr Variant VarNG{"NG", Navy, Lime};        // navy band, bin in use
constexpr Variant VarNGray{"NGray", Navy, Grey};  // navy band, bin not in use
constexpr Variant VarBW{"BW", Black, White};      // BIN COUNT copy on black
constexpr Variant VarNW{"NW", Navy, White};       // BIN COUNT copy on navy
constexpr Variant VarBA{"BA", Black, Aqua};       // nominal's unit on BIN MEAS
constexpr Variant VarWB{"WB", White, Black};      // Z-theta function on BIN COUNT

class TableBuilder {
public:
    std::vector<PanelArtEntry> Entries;

    // A name met again under another rule is the same file: the first look stays.
    void Add(PanelArtEntry e)
    {
        auto it = FIndex.find(e.Name);
        if (it != FIndex.end()) {
            if (Entries[it->second].Kind != e.Kind)
                throw std::logic_error("panel picture named twice with different looks: " + e.Name);
            return;
        }
        FIndex.emplace(e.Name, Entries.size());
        Entries.push_back(std::move(e));
    }

private:
    std::map<std::string, std::size_t> FIndex;
};

PanelArtEntry Make(std::string name, ArtKind kind, std::string caption, Rgb paper, Rgb ink, Rgb face,
                   Size size, SeeThrough transparency, std::string family)
{
    return PanelArtEntry{std::move(name), kind,   std::move(caption), paper, ink,
                         face,            size.W, size.H,             transparency, std::move(family)};
}

// --- keys ------------------------------------------------------------------------------

PanelArtEntry Key(const std::string& name, const std::string& caption, Rgb face, Rgb ink,
                  Size size = KeySize)
{
    return Make(name, ArtKind::KeyGlyph, caption, ButtonFace(), ink, face, size,
                SeeThrough::TopLeftPixel, "keys");
}

PanelArtEntry SoftKeyCap()
{
    // The soft keys' Color is grey: their corners are painted so.
    return Make("BtnC.bmp", ArtKind::KeyGlyph, "", Grey, White, KeyCap, KeySize,
                SeeThrough::TopLeftPixel, "keys");
}

PanelArtEntry PowerKey(const std::string& name, Rgb lamp)
{
    return Make(name, ArtKind::PowerGlyph, "", ButtonFace(), lamp, KeyDark, PowerKeySize,
                SeeThrough::ButtonFace, "keys");
}

// --- soft-key labels --------------------------------------------------------------------

PanelArtEntry Label(const std::string& name, const std::string& caption, Rgb ink, Rgb frame,
                    const std::string& family)
{
    return Make(name, ArtKind::SoftKeyLabel, caption, Black, ink, frame, SoftLabelSize,
                SeeThrough::None, family);
}

PanelArtEntry ChosenLabel(const std::string& name, const std::string& caption, const std::string& family)
{
    return Make(name, ArtKind::SoftKeyChosen, caption, Black, Black, Lime, SoftLabelSize,
                SeeThrough::None, family);
}

PanelArtEntry PageKey(const Word& w)
{
    return Label(std::string("View") + w.Name + ".bmp", w.Caption, White, White, "page keys");
}

PanelArtEntry EmptyKeyFrame(const std::string& name)
{
    return Label(name, "", Grey, Grey, "page keys");
}

// --- the rules --------------------------------------------------------------------------

constexpr Word PageWords[] = {
    {"MeasDisplay", "MEAS\nDISPLAY"}, {"MeasSetup", "MEAS\nSETUP"}, {"BinMeas", "BIN\nMEAS"},
    {"BinSetup", "BIN\nSETUP"},       {"BinCount", "BIN\nCOUNT"},   {"ListSetup", "LIST\nSETUP"},
    {"ListMeas", "LIST\nMEAS"},       {"SweepGraph", "SWEEP\nGRAPH"},
};

const Word& PageWord(const std::string& name)
{
    for (const Word& w : PageWords)
        if (name == w.Name)
            return w;
    throw std::logic_error("no page word " + name);
}

// The fixed pictures, in the order the main window loads them (a picture loaded twice
// is listed once).
void AddFixedPictures(TableBuilder& t)
{
    t.Add(Make("QN2.bmp", ArtKind::PanelLogo, "ZORVANE", PanelFace, PanelLegend, Navy, {120, 32},
               SeeThrough::None, "panel"));
    for (int d = 0; d <= 9; ++d)
        t.Add(Key("Btn" + std::to_string(d) + "_1.bmp", std::to_string(d), KeyLight, KeyInk));
    t.Add(Key("BtnDot1.bmp", ".", KeyLight, KeyInk));
    t.Add(Key("BtnAddReduce1.bmp", "\u00B1 / \u2190", KeyLight, KeyInk));
    t.Add(Key("BtnEsc1.bmp", "ESC", KeyDark, White));
    t.Add(Key("BtnTrig1.bmp", "TRIG", KeyDark, White));
    t.Add(Key("Up2.bmp", "\u25B2", KeyLight, KeyInk, ArrowKeySize));
    t.Add(Key("Down2.bmp", "\u25BC", KeyLight, KeyInk, ArrowKeySize));
    t.Add(Key("Lift2.bmp", "\u25C0", KeyLight, KeyInk, ArrowKeySize));
    t.Add(Key("Right2.bmp", "\u25B6", KeyLight, KeyInk, ArrowKeySize));
    t.Add(Key("Enter1.bmp", "ENTER", KeyDark, White));
    t.Add(Make("Power2.bmp", ArtKind::PowerCaption, "POWER", PanelFace, PanelLegend, PanelLegend, {60, 16},
               SeeThrough::None, "panel"));
    t.Add(PowerKey("Power_White.bmp", PowerWhite));
    t.Add(Key("BtnMeas.bmp", "MEAS", KeyBlue, White));
    t.Add(Key("BtnSetup.bmp", "SETUP", KeyBlue, White));
    t.Add(Make("Warning.bmp", ArtKind::WarningSign, "!", ButtonFace(), PanelInk, 0xF4C020, {28, 24},
               SeeThrough::None, "panel"));
    t.Add(Make("test.bmp", ArtKind::Terminal, "", ButtonFace(), PanelInk, 0xB8BCC4, {36, 36},
               SeeThrough::None, "panel"));
    t.Add(Make("ViewLockComputer.bmp", ArtKind::RemoteSign, "", Black, Lime, Lime, {32, 20},
               SeeThrough::None, "panel"));
    t.Add(Make("USB.bmp", ArtKind::UsbSign, "", PanelFace, PanelLegend, PanelLegend, {40, 20},
               SeeThrough::None, "panel"));
    t.Add(SoftKeyCap());
    t.Add(PageKey(PageWord("MeasDisplay")));
    t.Add(PageKey(PageWord("ListSetup")));
    t.Add(PageKey(PageWord("ListMeas")));
    t.Add(PageKey(PageWord("SweepGraph")));
    t.Add(EmptyKeyFrame("ViewParaFrame.bmp"));
}

void AddPowerAndKey8(TableBuilder& t)
{
    t.Add(PowerKey("Power_Green.bmp", PowerGreen));
    t.Add(PowerKey("Power_White.bmp", PowerWhite));
    t.Add(Label("Enlarge.bmp", "ENLARGE", White, White, "page keys"));
    t.Add(Label("Normal.bmp", "NORMAL", White, White, "page keys"));
    t.Add(EmptyKeyFrame("X_AxisBlank.bmp"));
}

void AddPageAndMenuKeys(TableBuilder& t)
{
    for (const Word& w : PageWords)
        t.Add(PageKey(w));
    t.Add(EmptyKeyFrame("ViewParaFrame.bmp"));
    for (int page = 1; page <= 4; ++page)
        t.Add(Label("ViewMore" + std::to_string(page) + ".bmp", "MORE\n" + std::to_string(page) + "/4",
                    White, Grey, "page keys"));
}

// Choice and step keys: every word has a "_Y" key (not current) and an "_R" key
// (current, or just pressed); the words are gathered field by field, and a word that
// several fields offer is one pair of files.
struct ChoiceField {
    const char* Field;
    std::vector<Word> Words;
};

const std::vector<ChoiceField>& ChoiceFields()
{
    static const std::vector<ChoiceField> fields = {
        {"function menu",
         {{"Cs_Rs", "Cs-Rs"}, {"Cs_D", "Cs-D"}, {"Cp_Rp", "Cp-Rp"}, {"Cp_D", "Cp-D"},
          {"Lp_Rp", "Lp-Rp"}, {"Lp_Q", "Lp-Q"}, {"Ls_Rs", "Ls-Rs"}, {"Ls_Q", "Ls-Q"},
          {"Rs_Q", "Rs-Q"}, {"Rp_Q", "Rp-Q"}, {"R_X", "R-X"}, {"DCR", "DCR"},
          {"Z_0r", "Z-\u03B8r"}, {"Z_0d", "Z-\u03B8d"}, {"Z_D", "Z-D"}, {"Z_Q", "Z-Q"}}},
        {"monitor menu",
         {{"Off", "OFF"}, {"Z", "Z"}, {"D", "D"}, {"Q", "Q"}, {"Vac", "Vac"}, {"Iac", "Iac"},
          {"Abs", "\u0394ABS"}, {"Rel", "\u0394%"}, {"0r", "\u03B8r"}, {"0d", "\u03B8d"},
          {"R", "R"}, {"X", "X"}, {"G", "G"}, {"B", "B"}, {"Y", "Y"}}},
        {"frequency, averaging", {{"Incr", "INCR\n\u25B2"}, {"Decl", "DECR\n\u25BC"}}},
        {"level",
         {{"Incr", "INCR\n\u25B2"}, {"Decl", "DECR\n\u25BC"}, {"AlcOn", "ALC\nON"}, {"AlcOff", "ALC\nOFF"}}},
        {"range",
         {{"AutoRange", "AUTO"}, {"HoldRange", "HOLD"}, {"NominalRange", "NOMINAL"},
          {"Incr", "INCR\n\u25B2"}, {"Decl", "DECR\n\u25BC"}}},
        {"source resistance", {{"30ohm", "30 \u03A9"}, {"50ohm", "50 \u03A9"}, {"100ohm", "100 \u03A9"}}},
        {"bias",
         {{"Off", "OFF"}, {"2V", "+2 V"}, {"1_5V", "+1.5 V"}, {"_1_5V", "\u22121.5 V"}, {"_2V", "\u22122 V"}}},
        {"trigger source", {{"Int", "INT"}, {"Man", "MAN"}, {"Ext", "EXT"}, {"Bus", "BUS"}}},
        {"speed", {{"Slow", "SLOW"}, {"Med", "MED"}, {"Fast", "FAST"}}},
        {"automatic LCZ, comparator, AUX", {{"Off", "OFF"}, {"On", "ON"}}},
        {"comparator mode", {{"AbsW", "ABS\nTOL"}, {"PerW", "%\nTOL"}, {"Seq", "SEQ"}}},
        {"beep", {{"Off", "OFF"}, {"Pass", "PASS"}, {"Fail", "FAIL"}}},
        {"open limit",
         {{"Off", "OFF"}, {"2Per", "2 %"}, {"5Per", "5 %"}, {"10Per", "10 %"}, {"20Per", "20 %"},
          {"50Per", "50 %"}}},
        {"bin count switch", {{"CountOn", "COUNT\nON"}, {"CountOff", "COUNT\nOFF"}}},
        {"bin table keys", {{"Delete", "DELETE"}, {"DeleteLine", "DELETE\nLINE"}, {"ClearTable", "CLEAR\nTABLE"}}},
    };
    return fields;
}

void AddChoiceKeys(TableBuilder& t)
{
    for (const ChoiceField& f : ChoiceFields())
        for (const Word& w : f.Words) {
            t.Add(Label(std::string("View") + w.Name + "_Y.bmp", w.Caption, Lime, Lime, "choice keys"));
            t.Add(ChosenLabel(std::string("View") + w.Name + "_R.bmp", w.Caption, "choice keys"));
        }
    // The number of bins is only ever shown as the current choice.
    t.Add(ChosenLabel("View1Bins_R.bmp", "1 BINS", "choice keys"));
}

// Unit keys shown while a value is typed: only the "_Y" form exists.
constexpr Word UnitKeyWords[] = {
    {"Hz", "Hz"},     {"kHz", "kHz"},      {"mV", "mV"},      {"V", "V"},
    {"uA", "\u00B5A"}, {"mA", "mA"},        {"mS", "ms"},      {"S", "s"},
    {"pF", "pF"},     {"nF", "nF"},        {"uF", "\u00B5F"}, {"mF", "mF"},
    {"uH", "\u00B5H"}, {"mH", "mH"},        {"H", "H"},        {"KH", "kH"},
    {"ohm", "\u03A9"}, {"Kohm", "k\u03A9"}, {"Mohm", "M\u03A9"}, {"DCRmohm", "m\u03A9"},
    {"0rr", "rad"},   {"0d0", "deg"},  // a lone degree sign is too small at this size
};

void AddUnitKeys(TableBuilder& t)
{
    for (const Word& w : UnitKeyWords)
        t.Add(Label(std::string("View") + w.Name + "_Y.bmp", w.Caption, Lime, Lime, "unit keys"));
}

void AddActionKeys(TableBuilder& t)
{
    t.Add(Label("ViewStartLog.bmp", "START\nLOG", Lime, Lime, "action keys"));
    t.Add(Label("ViewStopLog_Y.bmp", "STOP\nLOG", Lime, Lime, "action keys"));
    t.Add(Label("ViewResetCount.bmp", "RESET\nCOUNT", Lime, Lime, "action keys"));
}

// Field value pictures: "ViewPara" + word + "_" + variant. Each group of words has its
// own set of variants and its own picture size.
struct FieldGroup {
    std::vector<Word> Words;
    std::vector<Variant> Variants;
    ArtKind Kind;
    Size PictureSize;
};

const std::vector<FieldGroup>& FieldGroups()
{
    static const std::vector<FieldGroup> groups = {
        {{{"Range100K", "100 k\u03A9"}, {"Range30K", "30 k\u03A9"}, {"Range10K", "10 k\u03A9"},
          {"Range3K", "3 k\u03A9"}, {"Range1K", "1 k\u03A9"}, {"Range300", "300 \u03A9"},
          {"Range100", "100 \u03A9"}, {"Range30", "30 \u03A9"}, {"Range10", "10 \u03A9"},
          {"RangeDCR10", "10 \u03A9"}, {"Range1", "1 \u03A9"}},
         {VarG, VarB}, ArtKind::FieldValue, RangeSize},
        {{{"SRC30", "30 \u03A9"}, {"SRC50", "50 \u03A9"}, {"SRC100", "100 \u03A9"}},
         {VarG, VarB, VarBG}, ArtKind::FieldValue, SourceResSize},
        {{{"Z_0r", "Z-\u03B8r"}, {"Z_0d", "Z-\u03B8d"}}, {VarG, VarB, VarWB}, ArtKind::FieldValue, FunctionSize},
        {{{"ABS", "\u0394ABS"}, {"REL", "\u0394%"}, {"0r", "\u03B8r"}, {"0d", "\u03B8d"}},
         {VarG, VarB, VarBG}, ArtKind::FieldValue, MonitorSize},
        {{{"pF", "pF"}, {"nF", "nF"}, {"uF", "\u00B5F"}, {"mF", "mF"}, {"uH", "\u00B5H"}, {"mH", "mH"},
          {"H", "H"}, {"KH", "kH"}, {"ohm", "\u03A9"}, {"Kohm", "k\u03A9"}, {"Mohm", "M\u03A9"},
          {"DCRmohm", "m\u03A9"}},
         {VarG, VarB, VarBG, VarBA, VarBW, VarNG, VarNGray, VarNW}, ArtKind::UnitCell, UnitCellSize},
        {{{"Per", "%"}}, {VarG, VarB, VarBG, VarBW, VarNG, VarNGray, VarNW}, ArtKind::UnitCell, UnitCellSize},
        {{{"0rr", "rad"}, {"0d0", "deg"}}, {VarG, VarB, VarBG, VarBW}, ArtKind::UnitCell, UnitCellSize},
        {{{"BinFrame", ""}}, {VarB}, ArtKind::UnitCell, UnitCellSize},
    };
    return groups;
}

void AddFieldValues(TableBuilder& t)
{
    for (const FieldGroup& g : FieldGroups())
        for (const Word& w : g.Words)
            for (const Variant& v : g.Variants)
                t.Add(Make(std::string("ViewPara") + w.Name + "_" + v.Name + ".bmp", g.Kind, w.Caption, v.Paper,
                           v.Ink, v.Ink, g.PictureSize, SeeThrough::None, "field values"));
}

// Units beside the measured values: "FuncUnit" or "MonUnit" + kind + unit.
constexpr Word FuncUnitWords[] = {
    {"C_pF", "pF"},       {"C_nF", "nF"},   {"C_uF", "\u00B5F"}, {"C_mF", "mF"},
    {"F", "F"},           {"L_uH", "\u00B5H"}, {"L_mH", "mH"},  {"L_H", "H"},
    {"L_KH", "kH"},       {"ohm_ohm", "\u03A9"}, {"ohm_K", "k\u03A9"}, {"ohm_M", "M\u03A9"},
    {"8r_r", "rad"},      {"8d_0", "\u00B0"},
};

constexpr Word MonUnitWords[] = {
    {"C_F", "F"},         {"C_pF", "pF"},      {"C_nF", "nF"},      {"C_uF", "\u00B5F"},
    {"C_mF", "mF"},       {"L_H", "H"},        {"L_uH", "\u00B5H"},  {"L_mH", "mH"},
    {"ohm_ohm", "\u03A9"}, {"ohm_K", "k\u03A9"}, {"ohm_M", "M\u03A9"}, {"BG_S", "S"},
    {"BG_mS", "mS"},      {"BG_uS", "\u00B5S"}, {"Iac_A", "A"},      {"Iac_mA", "mA"},
    {"Vac_V", "V"},       {"8r_r", "rad"},     {"8d_0", "\u00B0"},   {"REL", "%"},
};

void AddValueUnits(TableBuilder& t)
{
    for (const Word& w : FuncUnitWords)
        t.Add(Make(std::string("FuncUnit") + w.Name + ".bmp", ArtKind::ValueUnit, w.Caption, Black, Lime, Lime,
                   FuncUnitSize, SeeThrough::None, "value units"));
    for (const Word& w : MonUnitWords)
        t.Add(Make(std::string("MonUnit") + w.Name + ".bmp", ArtKind::ValueUnit, w.Caption, Black, Lime, Lime,
                   MonUnitSize, SeeThrough::None, "value units"));
}

void AddParameterNames(TableBuilder& t)
{
    auto name = [&](const char* file, const char* caption, Size size) {
        t.Add(Make(file, ArtKind::ParameterName, caption, Black, Lime, Lime, size, SeeThrough::None,
                   "parameter names"));
    };
    // Sized like the name labels beside the values they name.
    name("MeasDispFunc8.bmp", "\u03B8", {32, 40});
    name("BinEnlaDispFunc8.bmp", "\u03B8", {32, 36});
    name("MeasDispMonABS.bmp", "\u0394ABS", {56, 24});
    name("MeasDispMonREL.bmp", "\u0394%", {56, 24});
    name("EnlaDispMonABS.bmp", "\u0394ABS", {72, 32});
    name("EnlaDispMonREL.bmp", "\u0394%", {72, 32});
}

void AddAboutPictures(TableBuilder& t)
{
    t.Add(Make("QN.bmp", ArtKind::AboutBanner, "ZORVANE", Navy, White, Lime, {495, 60}, SeeThrough::None,
               "about"));
    t.Add(Make("Zorvane.bmp", ArtKind::ProductPicture, "Zorvane", 0xEEF0F4, Lime, 0xD9DCE2, {220, 150},
               SeeThrough::None, "about"));
}

std::vector<PanelArtEntry> BuildTable()
{
    TableBuilder t;
    AddFixedPictures(t);
    AddPowerAndKey8(t);
    AddPageAndMenuKeys(t);
    AddChoiceKeys(t);
    AddUnitKeys(t);
    AddActionKeys(t);
    AddFieldValues(t);
    AddValueUnits(t);
    AddParameterNames(t);
    AddAboutPictures(t);
    return std::move(t.Entries);
}

}  // namespace

const std::vector<PanelArtEntry>& PanelArtTable()
{
    static const std::vector<PanelArtEntry> table = BuildTable();
    return table;
}

const PanelArtEntry* FindPanelArt(const std::string& name)
{
    for (const PanelArtEntry& e : PanelArtTable())
        if (e.Name == name)
            return &e;
    return nullptr;
}

}  // namespace PanelArt

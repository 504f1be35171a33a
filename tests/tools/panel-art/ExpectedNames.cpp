#include "ExpectedNames.h"

#include <algorithm>

namespace {

void AddUnique(std::vector<std::string>& names, const std::string& name)
{
    if (std::find(names.begin(), names.end(), name) == names.end())
        names.push_back(name);
}

}  // namespace

std::vector<std::string> ExpectedFixedNames()
{
    std::vector<std::string> names = {"QN2.bmp"};
    for (int d = 0; d < 10; ++d)
        names.push_back("Btn" + std::to_string(d) + "_1.bmp");
    for (const char* n : {"BtnDot1", "BtnAddReduce1", "BtnEsc1", "BtnTrig1", "Up2", "Down2", "Lift2", "Right2",
                          "Enter1", "Power2", "Power_White", "BtnMeas", "BtnSetup", "Warning", "test",
                          "ViewLockComputer", "USB", "BtnC", "ViewMeasDisplay", "ViewListSetup", "ViewListMeas",
                          "ViewSweepGraph", "ViewParaFrame"})
        names.push_back(std::string(n) + ".bmp");
    return names;
}

std::vector<std::string> ExpectedNames()
{
    std::vector<std::string> names = ExpectedFixedNames();
    const auto add = [&](const std::string& n) { AddUnique(names, n + ".bmp"); };

    // Power key and key 8.
    for (const char* n : {"Power_Green", "Power_White", "Enlarge", "Normal", "X_AxisBlank"})
        add(n);
    // Page keys, the empty frame and the menu paging key.
    for (const char* page : {"MeasDisplay", "MeasSetup", "BinMeas", "BinSetup", "BinCount", "ListSetup",
                             "ListMeas", "SweepGraph", "ParaFrame"})
        add(std::string("View") + page);
    for (int page = 1; page <= 4; ++page)
        add("ViewMore" + std::to_string(page));

    // Choice and step keys, field by field: "_Y" and "_R" of every word.
    const std::vector<std::vector<std::string>> choiceFields = {
        {"Cs_Rs", "Cs_D", "Cp_Rp", "Cp_D", "Lp_Rp", "Lp_Q", "Ls_Rs", "Ls_Q", "Rs_Q", "Rp_Q", "R_X", "DCR", "Z_0r",
         "Z_0d", "Z_D", "Z_Q"},
        {"Off", "Z", "D", "Q", "Vac", "Iac", "Abs", "Rel", "0r", "0d", "R", "X", "G", "B", "Y"},
        {"Incr", "Decl"},
        {"Incr", "Decl", "AlcOn", "AlcOff"},
        {"AutoRange", "HoldRange", "NominalRange", "Incr", "Decl"},
        {"30ohm", "50ohm", "100ohm"},
        {"Off", "2V", "1_5V", "_1_5V", "_2V"},
        {"Int", "Man", "Ext", "Bus"},
        {"Slow", "Med", "Fast"},
        {"Off", "On"},
        {"AbsW", "PerW", "Seq"},
        {"Off", "Pass", "Fail"},
        {"Off", "2Per", "5Per", "10Per", "20Per", "50Per"},
        {"CountOn", "CountOff"},
        {"Delete", "DeleteLine", "ClearTable"},
    };
    for (const auto& field : choiceFields)
        for (const std::string& word : field) {
            add("View" + word + "_Y");
            add("View" + word + "_R");
        }
    add("View1Bins_R");

    // Unit keys while typing: "_Y" only.
    for (const char* unit : {"Hz", "kHz", "mV", "V", "uA", "mA", "mS", "S", "pF", "nF", "uF", "mF", "uH", "mH", "H",
                             "KH", "ohm", "Kohm", "Mohm", "DCRmohm", "0rr", "0d0"})
        add(std::string("View") + unit + "_Y");

    // Action keys without a state.
    for (const char* n : {"ViewStartLog", "ViewStopLog_Y", "ViewResetCount"})
        add(n);

    // Field value pictures: word x its variants.
    struct Group {
        std::vector<std::string> Words;
        std::vector<std::string> Variants;
    };
    const std::vector<Group> fieldGroups = {
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
    for (const Group& g : fieldGroups)
        for (const std::string& word : g.Words)
            for (const std::string& variant : g.Variants)
                add("ViewPara" + word + "_" + variant);

    // Units beside measured values.
    for (const char* n : {"C_pF", "C_nF", "C_uF", "C_mF", "F", "L_uH", "L_mH", "L_H", "L_KH", "ohm_ohm", "ohm_K",
                          "ohm_M", "8r_r", "8d_0"})
        add(std::string("FuncUnit") + n);
    for (const char* n : {"C_F", "C_pF", "C_nF", "C_uF", "C_mF", "L_H", "L_uH", "L_mH", "ohm_ohm", "ohm_K", "ohm_M",
                          "BG_S", "BG_mS", "BG_uS", "Iac_A", "Iac_mA", "Vac_V", "8r_r", "8d_0", "REL"})
        add(std::string("MonUnit") + n);

    // Parameter names and the About box.
    for (const char* n : {"MeasDispFunc8", "BinEnlaDispFunc8", "MeasDispMonABS", "MeasDispMonREL", "EnlaDispMonABS",
                          "EnlaDispMonREL", "QN", "Zorvane"})
        add(n);
    return names;
}

std::vector<std::string> ExpectedTopLeftPixelKeys()
{
    std::vector<std::string> names;
    for (int d = 0; d < 10; ++d)
        names.push_back("Btn" + std::to_string(d) + "_1.bmp");
    for (const char* n : {"BtnDot1", "BtnAddReduce1", "BtnEsc1", "Enter1", "Up2", "Down2", "Lift2", "Right2",
                          "BtnMeas", "BtnSetup", "BtnTrig1", "BtnC"})
        names.push_back(std::string(n) + ".bmp");
    return names;
}

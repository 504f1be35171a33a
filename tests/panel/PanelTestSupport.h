#pragma once
// The main window against the simulated instrument on a pseudo-terminal, driven through the
// platform's input helpers as a user drives it: connect, POWER, then keys of the panel.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "components/controls/Owdesign.h"
#include "main/Lcr.h"
#include "tools/instrument-sim/InstrumentSim.h"

class PanelSession : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Options of the simulated instrument, before SetUp starts it.
    virtual TSimOptions SimOptions() const;

    // The communication panel: port, 115200 Bd (baud index 5), Ok.
    void Connect(int baudIndex = 5);
    // POWER, connected and off: remote operation with the power-on defaults.
    void PowerOn();

    void Click(TControl* key);
    void Press(std::initializer_list<TControl*> keys);
    // Types text on the keypad ("-" the sign key, "." the point) without Enter.
    void Type(const AnsiString& text);
    void SoftKey(int n);
    void Arrow(int direction, int times = 1);
    // Lines the instrument received since the last call (the fetch queries left out).
    std::vector<AnsiString> NewLines();
    // Runs the window until the instrument has received a fetch query after the last call.
    bool WaitForFetch(const AnsiString& query = "FETC:IMP?");
    // The picture names loaded since the last call.
    std::vector<AnsiString> LoadedPictures();
    // The name of the picture last loaded into an image or key of the window ("" if none was).
    static AnsiString PictureOf(const TComponent* target);

    std::unique_ptr<TInstrumentSim> Sim;
    std::unique_ptr<TLCRForm> Form;
    size_t Seen = 0;
    static constexpr int kPort = 7;
};

bool IsFetchQuery(const AnsiString& line);

#pragma once
// An icon in the desktop's notification area (the system tray), where the desktop has
// one. Mouse actions on it come back as the Windows notification codes: 512 move, 513/514
// left down/up, 515 left double click, 516/517 right, 518 right double, 519/520 middle,
// 521 middle double.
#include <functional>
#include <memory>

#include "platform/core/Types.h"

class TIcon;

// True when the desktop shows a notification area.
bool SystemTrayAvailable();

class TTrayIconHandle {
public:
    explicit TTrayIconHandle(std::function<void(int Code)> OnNotify);
    ~TTrayIconHandle();
    // Each false when there is no notification area (or the icon is not there).
    bool Add(TIcon* Icon, const AnsiString& Tip);
    bool Modify(TIcon* Icon, const AnsiString& Tip);
    bool Delete();
    bool Shown() const { return FShown; }

private:
    struct Impl;
    std::unique_ptr<Impl> FImpl;
    std::function<void(int)> FOnNotify;
    bool FShown = false;
};

// Tests: a stand-in notification area that only counts its icons (On), or none at all
// (Available false).
void SetTrayRecordOnly(bool On, bool Available = true);
int RecordedTrayIcons();

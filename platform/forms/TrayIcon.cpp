#include "platform/forms/TrayIcon.h"

#include <QPixmap>
#include <QSystemTrayIcon>

#include "platform/forms/FormsImpl_p.h"
#include "platform/graphics/Icon.h"

using namespace zvqt;

namespace {
bool gRecordOnly = false;
bool gRecordAvailable = true;
int gRecorded = 0;
} // namespace

void SetTrayRecordOnly(bool On, bool Available)
{
    gRecordOnly = On;
    gRecordAvailable = Available;
    gRecorded = 0;
}

int RecordedTrayIcons() { return gRecorded; }

bool SystemTrayAvailable()
{
    if (gRecordOnly)
        return gRecordAvailable;
    return QSystemTrayIcon::isSystemTrayAvailable();
}

struct TTrayIconHandle::Impl {
    std::unique_ptr<QSystemTrayIcon> icon;
};

TTrayIconHandle::TTrayIconHandle(std::function<void(int)> OnNotify)
    : FImpl(std::make_unique<Impl>()), FOnNotify(std::move(OnNotify))
{
}

TTrayIconHandle::~TTrayIconHandle() { Delete(); }

bool TTrayIconHandle::Add(TIcon* Icon, const AnsiString& Tip)
{
    if (FShown || !SystemTrayAvailable())
        return false;
    if (gRecordOnly) {
        ++gRecorded;
        FShown = true;
        return true;
    }
    FImpl->icon = std::make_unique<QSystemTrayIcon>();
    QObject::connect(FImpl->icon.get(), &QSystemTrayIcon::activated, [this](QSystemTrayIcon::ActivationReason r) {
        auto send = [this](int code) { zvforms::Guard([&] { FireEvent(FOnNotify, code); }); };
        switch (r) {
        case QSystemTrayIcon::Trigger:
            send(513);
            send(514);
            break;
        case QSystemTrayIcon::DoubleClick:
            send(515);
            break;
        case QSystemTrayIcon::Context:
            send(516);
            send(517);
            break;
        case QSystemTrayIcon::MiddleClick:
            send(519);
            send(520);
            break;
        default:
            break;
        }
    });
    FShown = true;
    Modify(Icon, Tip);
    FImpl->icon->show();
    return true;
}

bool TTrayIconHandle::Modify(TIcon* Icon, const AnsiString& Tip)
{
    if (!FShown)
        return false;
    if (FImpl->icon) {
        if (Icon && !Icon->Empty())
            FImpl->icon->setIcon(QIcon(QPixmap::fromImage(IconImage(Icon))));
        FImpl->icon->setToolTip(ToQString(Tip));
    }
    return true;
}

bool TTrayIconHandle::Delete()
{
    if (!FShown)
        return false;
    if (gRecordOnly && !FImpl->icon)
        --gRecorded;
    FImpl->icon.reset();
    FShown = false;
    return true;
}

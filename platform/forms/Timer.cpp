#include "platform/forms/Timer.h"

#include <QCoreApplication>
#include <QTimer>

#include "platform/forms/FormsImpl_p.h"

struct TTimer::Impl {
    std::unique_ptr<QTimer> timer;
};

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner), FImpl(std::make_unique<Impl>()) { UpdateTimer(); }

TTimer::~TTimer() = default;

void TTimer::SetEnabled(bool v)
{
    // The same value keeps the running count (its phase).
    if (v == FEnabled)
        return;
    FEnabled = v;
    UpdateTimer();
}

void TTimer::SetInterval(Cardinal v)
{
    if (v == FInterval)
        return;
    FInterval = v;
    UpdateTimer();
}

void TTimer::Tick()
{
    zvforms::Guard([&] { FireEvent(OnTimer, this); }, this);
}

void TTimer::UpdateTimer()
{
    if (!FEnabled || FInterval == 0) {
        if (FImpl->timer)
            FImpl->timer->stop();
        return;
    }
    if (!QCoreApplication::instance())
        return;
    if (!FImpl->timer) {
        FImpl->timer = std::make_unique<QTimer>();
        FImpl->timer->setTimerType(Qt::PreciseTimer);
        QObject::connect(FImpl->timer.get(), &QTimer::timeout, FImpl->timer.get(), [this] {
            if (FEnabled)
                Tick();
        });
    }
    FImpl->timer->start(static_cast<int>(FInterval));
}

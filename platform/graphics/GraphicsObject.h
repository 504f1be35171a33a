#pragma once
// Base of the canvas tools (font, pen, brush): a persistent object that tells its
// owner about every change through OnChange.
#include "platform/core/Component.h"
#include "platform/core/Events.h"

class TGraphicsObject : public TPersistent {
public:
    TNotifyEvent OnChange;

protected:
    virtual void Changed() { FireEvent(OnChange, this); }
};

#pragma once
// Bases of the serial component family.
#include "platform/core/Component.h"
#include "platform/core/Events.h"

// A settings group that tells its owner of changes, once per outermost update.
class TSerPersistent : public TPersistent {
public:
    void BeginUpdate() { ++FUpdateCount; }
    // The outermost EndUpdate notifies, whether or not anything changed.
    void EndUpdate()
    {
        if (FUpdateCount > 0)
            --FUpdateCount;
        Changed();
    }
    int UpdateCount() const { return FUpdateCount; }

    TNotifyEvent OnChange;

protected:
    void Changed()
    {
        if (FUpdateCount == 0 && OnChange)
            OnChange(this);
    }

private:
    int FUpdateCount = 0;
};

// Common base of the component family.
class TSerComponent : public TComponent {
public:
    using TComponent::TComponent;
};

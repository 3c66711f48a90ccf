// The base of fonts, pens and brushes: a value shared through a resource record, and a change event.
#pragma once

#include "framework/core/event.h"
#include "framework/core/persistent.h"

class TGraphicsObject : public TPersistent {
    DECLARE_CLASS(TGraphicsObject)
public:
    // Called after every change, with the object as sender.
    TNotifyEvent OnChange;

protected:
    virtual void Changed();
};

// The screen's vertical logical pixels per inch, read once.
int ScreenPixelsPerInch();

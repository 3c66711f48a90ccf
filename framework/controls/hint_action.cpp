// THintAction: carries the current long hint to whoever shows it.
#include "framework/controls/hint_action.h"

#include "framework/controls/application.h"
#include "framework/core/class_info.h"

const TClassInfo& THintAction::StaticClass()
{
    static const TClassInfo info = TClassBuilder<THintAction, TBasicAction>("THintAction").Build();
    return info;
}

THintAction::THintAction(TComponent* owner) : TBasicAction(owner) {}

bool THintAction::Execute()
{
    if (Application && Application->DispatchAction(CMSG_ACTIONEXECUTE, this))
        return true;
    return TBasicAction::Execute();
}

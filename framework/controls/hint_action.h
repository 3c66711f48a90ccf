// THintAction: carries the current long hint to whoever shows it (a status bar), by executing
// through the application's action dispatch.
#pragma once

#include <string>

#include "framework/core/action.h"

class THintAction : public TBasicAction {
    DECLARE_CLASS(THintAction)
public:
    explicit THintAction(TComponent* owner);

    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& value) { hint_ = value; }

    // Offers the action to the active form and the primary form (their controls take it); else
    // runs OnExecute.
    bool Execute() override;

private:
    std::string hint_;
};

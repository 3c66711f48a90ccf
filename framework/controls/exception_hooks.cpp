// The two global exception hooks.
#include "framework/controls/exception_hooks.h"

TEvent<TObject*> ApplicationHandleException;
TEvent<const Exception&> ApplicationShowException;

void HandleFrameworkException(TObject* sender)
{
    if (!ApplicationHandleException)
        return;
    try {
        ApplicationHandleException(sender);
    } catch (...) {
        // The report itself failed (a handler of OnAppException raised): nothing may escape.
    }
}

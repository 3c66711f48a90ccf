// The two global exception hooks through which the framework reports exceptions it catches and
// shows exception messages. The application object fills them while it exists.
#pragma once

#include "framework/core/event.h"
#include "framework/core/exceptions.h"

// Reports the exception being handled (call from inside a catch block) with `sender`.
extern TEvent<TObject*> ApplicationHandleException;
// Shows an exception's message.
extern TEvent<const Exception&> ApplicationShowException;

// Hands the exception being handled to ApplicationHandleException; without one the exception is
// dropped, since nothing may leave a window procedure.
void HandleFrameworkException(TObject* sender);

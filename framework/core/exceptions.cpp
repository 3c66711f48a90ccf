// The exception base of the framework and the system-error helpers.
#include "framework/core/exceptions.h"

#include "platform/module.h"

std::string LoadResString(unsigned id) { return platform::LoadString(id); }

Exception::Exception(unsigned id, std::initializer_list<TFormatArg> args) : message_(Format(LoadResString(id), args)) {}

void RaiseOSError(std::uint32_t code)
{
    if (code == 0)
        throw EOSError(LoadResString(SUnkOSError), 0);
    throw EOSError(Format(LoadResString(SOSError), {code, platform::SystemErrorText(code)}), code);
}

void RaiseLastOSError() { RaiseOSError(platform::LastError()); }

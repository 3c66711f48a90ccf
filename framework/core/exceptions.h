// The exception base of the framework and the exception classes every part shares. Messages come
// from the program's string table by number, with printf-like placeholders.
#pragma once

#include <cstdint>
#include <exception>
#include <initializer_list>
#include <string>

#include "framework/core/format.h"
#include "resources/string_ids.h"

// Entry `id` of the program's string table (empty when it has none).
std::string LoadResString(unsigned id);

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    // The string table entry `id`, formatted with `args`.
    explicit Exception(unsigned id, std::initializer_list<TFormatArg> args = {});

    const std::string& Message() const { return message_; }
    void SetMessage(std::string message) { message_ = std::move(message); }
    const char* what() const noexcept override { return message_.c_str(); }
    virtual const char* ClassName() const { return "Exception"; }

private:
    std::string message_;
};

// Declares exception class Name deriving from Base, with Base's constructors.
// NOLINTBEGIN(bugprone-macro-parentheses): the arguments are class names
#define DECLARE_EXCEPTION(Name, Base)                            \
    class Name : public Base {                                   \
    public:                                                      \
        using Base::Base;                                        \
        const char* ClassName() const override { return #Name; } \
    }
// NOLINTEND(bugprone-macro-parentheses)

DECLARE_EXCEPTION(EAbort, Exception);  // silent: never shown to the user
DECLARE_EXCEPTION(EAbstractError, Exception);
DECLARE_EXCEPTION(EConvertError, Exception);
DECLARE_EXCEPTION(EListError, Exception);
DECLARE_EXCEPTION(EStringListError, Exception);
DECLARE_EXCEPTION(EComponentError, Exception);
DECLARE_EXCEPTION(EInvalidOperation, Exception);
DECLARE_EXCEPTION(EOutOfResources, Exception);
DECLARE_EXCEPTION(ERangeError, Exception);
DECLARE_EXCEPTION(EInvalidCast, Exception);
DECLARE_EXCEPTION(EResNotFound, Exception);
DECLARE_EXCEPTION(EStreamError, Exception);
DECLARE_EXCEPTION(EFCreateError, EStreamError);
DECLARE_EXCEPTION(EFOpenError, EStreamError);
DECLARE_EXCEPTION(EFilerError, EStreamError);
DECLARE_EXCEPTION(EReadError, EFilerError);
DECLARE_EXCEPTION(EWriteError, EFilerError);
DECLARE_EXCEPTION(EClassNotFound, EFilerError);

// A failed system call, with its error code.
class EOSError : public Exception {
public:
    EOSError(std::string message, std::uint32_t code) : Exception(std::move(message)), code_(code) {}
    const char* ClassName() const override { return "EOSError"; }
    std::uint32_t ErrorCode() const { return code_; }

private:
    std::uint32_t code_;
};

// Raises EOSError for the calling thread's last system error ("OS 機能呼び出しの失敗" when none is set).
[[noreturn]] void RaiseLastOSError();
[[noreturn]] void RaiseOSError(std::uint32_t code);

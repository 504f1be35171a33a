#pragma once
// The class library's exception classes. Every error of the library and of the
// components is an Exception with a message text; the application shows it.
#include <stdexcept>
#include <string>

#include "platform/core/Types.h"

class Exception : public std::exception {
public:
    explicit Exception(AnsiString msg) : FMessage(std::move(msg)) {}
    ~Exception() override = default;
    const AnsiString& Message() const { return FMessage; }
    void SetMessage(const AnsiString& msg) { FMessage = msg; }
    const char* what() const noexcept override { return FMessage.c_str(); }
    // The class name the application's exception box may show.
    virtual const char* ClassName() const { return "Exception"; }

private:
    AnsiString FMessage;
};

#define ZV_EXCEPTION_CLASS(Name, Base)                                   \
    class Name : public Base {                                          \
    public:                                                             \
        using Base::Base;                                               \
        const char* ClassName() const override { return #Name; }        \
    };

ZV_EXCEPTION_CLASS(EAbort, Exception)
ZV_EXCEPTION_CLASS(EConvertError, Exception)
ZV_EXCEPTION_CLASS(EInOutError, Exception)
ZV_EXCEPTION_CLASS(EStreamError, Exception)
ZV_EXCEPTION_CLASS(EFCreateError, EStreamError)
ZV_EXCEPTION_CLASS(EFOpenError, EStreamError)
ZV_EXCEPTION_CLASS(EReadError, EStreamError)
ZV_EXCEPTION_CLASS(EWriteError, EStreamError)
ZV_EXCEPTION_CLASS(EListError, Exception)
ZV_EXCEPTION_CLASS(EStringListError, Exception)
ZV_EXCEPTION_CLASS(EInvalidOperation, Exception)
ZV_EXCEPTION_CLASS(EInvalidPointer, Exception)
ZV_EXCEPTION_CLASS(EComponentError, Exception)
ZV_EXCEPTION_CLASS(EThread, Exception)
ZV_EXCEPTION_CLASS(EOSError, Exception)
ZV_EXCEPTION_CLASS(EOutOfResources, Exception)
ZV_EXCEPTION_CLASS(EInvalidGraphic, Exception)
ZV_EXCEPTION_CLASS(EInvalidGraphicOperation, Exception)
ZV_EXCEPTION_CLASS(EPrinter, Exception)
ZV_EXCEPTION_CLASS(EIntError, Exception)
ZV_EXCEPTION_CLASS(EDivByZero, EIntError)
ZV_EXCEPTION_CLASS(ERangeError, EIntError)
ZV_EXCEPTION_CLASS(EMathError, Exception)
ZV_EXCEPTION_CLASS(EIniFileException, Exception)
ZV_EXCEPTION_CLASS(EAssertionFailed, Exception)

// Ends the operation in progress silently: the application shows nothing for EAbort.
[[noreturn]] inline void Abort()
{
    throw EAbort("Operation aborted");
}

#pragma once

#include "vcl/sysutils/AnsiString.h"

#include <exception>

// Base of the library's error classes. An error carries its message and the code
// address it was raised from, which the application-error box reports.
class Exception : public std::exception {
public:
    explicit Exception(AnsiString message);

    const AnsiString& Message() const noexcept { return message_; }
    const void* RaiseAddress() const noexcept { return raiseAddress_; }
    virtual const char* ClassName() const noexcept { return "Exception"; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    AnsiString message_;
    const void* raiseAddress_;
};

// Declares an error class whose only difference from Exception is its name.
#define MORAVIN_ERROR_CLASS(Name, Base)                                                            \
    class Name : public Base {                                                                     \
    public:                                                                                        \
        using Base::Base;                                                                          \
        const char* ClassName() const noexcept override { return #Name; }                          \
    }

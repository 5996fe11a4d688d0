#pragma once

// Root of the library's classes: every object knows the name of its class,
// which is what a form description refers to.
class TObject {
public:
    virtual ~TObject() = default;
    virtual const char* ClassName() const = 0;
};

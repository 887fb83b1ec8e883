#pragma once

#include <stdexcept>
#include <string>

// Raised when an object is asked to copy another object of a kind it cannot take over.
class EAssignError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An object that can take over the contents of another object of its kind (Assign) and names its
// own kind. Objects that stream their own properties derive from it.
class TPersistent {
public:
    virtual ~TPersistent() = default;

    // Copies `source` into this object. The base refuses every source (nullptr included) with
    // EAssignError and leaves this object unchanged; a kind that can copy overrides it.
    virtual void Assign(const TPersistent* source);

    virtual std::string ClassName() const = 0;

protected:
    TPersistent() = default;
    TPersistent(const TPersistent&) = default;
    TPersistent& operator=(const TPersistent&) = default;
};

#pragma once

namespace tidewell {

// The base of every failure the engine reports. Errors are thrown by value and
// caught by reference at the entry point, which shuts the engine down and then
// lets the error present itself.
class Error {
public:
    virtual ~Error();
    // A modal dialog titled and worded for this kind of failure.
    virtual void show();
};

} // namespace tidewell

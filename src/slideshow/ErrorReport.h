// Where errors that no caller can take go: the slideshow window shows them
// to the user with the position of the photo on screen.
#pragma once

#include <string>

class IErrorReport {
public:
    virtual ~IErrorReport() = default;
    virtual void ReportError(const std::string& message) = 0;
};

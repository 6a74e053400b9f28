// The application-wide error report: what escapes a window's event handler is
// shown to the user here. Main thread only; may block until the user has read
// the report (a modal message box processes events meanwhile).
#pragma once

#include <string>

class IErrorReport {
public:
    virtual void ShowError(const std::string& Text) = 0;

protected:
    ~IErrorReport() = default;
};

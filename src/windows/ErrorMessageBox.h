// The error report as a modal message box.
#pragma once

#include "slideshow/ErrorReport.h"

class ErrorMessageBox : public IErrorReport {
public:
    void ShowError(const std::string& Text) override;
};

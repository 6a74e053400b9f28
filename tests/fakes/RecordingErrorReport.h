// An error report that keeps what it was asked to show.
#pragma once

#include <string>
#include <vector>

#include "slideshow/ErrorReport.h"

class RecordingErrorReport : public IErrorReport {
public:
    void ShowError(const std::string& Text) override { shown.push_back(Text); }
    std::vector<std::string> shown;
};

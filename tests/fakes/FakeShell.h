// Records every "Open" request; answers with `accept`.
#pragma once

#include <string>
#include <vector>

#include "platform/shell/Shell.h"

namespace fakes {

class FakeShell final : public shell::IShell {
public:
    std::vector<std::string> requests;
    bool accept = true;

    bool Open(const std::string& target) override {
        requests.push_back(target);
        return accept;
    }
};

}  // namespace fakes

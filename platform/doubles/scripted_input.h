#pragma once
#include <set>

#include "platform/input.h"

namespace platform::doubles {

// Input devices whose state a test sets directly.
class ScriptedInput final : public InputDevices {
public:
    void poll() override { ++polls; }
    bool key_held(int scan_code) const override { return held.contains(scan_code); }
    bool any_key_held() const override { return !held.empty(); }

    std::set<int> held;
    int polls = 0;
};

}  // namespace platform::doubles

// A clock that moves only when a test says so.
#pragma once

#include <vector>

#include "game/ports.h"

namespace korbo::test {

class ManualClock : public Clock {
public:
    double now = 12 * 3600.0;
    double SecondsSinceMidnight() override { return now; }
};

// A random source that plays back a script of numbers in [0, 1), then repeats the last.
class ScriptedRandom : public Random {
public:
    std::vector<double> script;
    size_t next = 0;
    double Next() override {
        if (script.empty()) return 0.0;
        double r = script[next < script.size() ? next : script.size() - 1];
        ++next;
        return r;
    }
    void Seed(double) override {}
};

}  // namespace korbo::test

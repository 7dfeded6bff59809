#pragma once
// Time as the device link sees it. The desktop program and zktcli use the steady clock; tests and
// the in-process simulator step a manual clock, so whole transfers run in virtual time.

#include <chrono>

namespace zkt {

using Micros = std::chrono::microseconds;

class Clock {
public:
    virtual ~Clock() = default;
    virtual Micros now() const = 0;
};

class SteadyClock final : public Clock {
public:
    Micros now() const override {
        return std::chrono::duration_cast<Micros>(std::chrono::steady_clock::now().time_since_epoch());
    }
};

class ManualClock final : public Clock {
public:
    Micros now() const override { return m_now; }
    void advance(Micros by) { m_now += by; }

private:
    Micros m_now{0};
};

} // namespace zkt

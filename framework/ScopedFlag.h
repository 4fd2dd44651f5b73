// Raises a flag for one scope and lowers it on every way out, so that work
// which a nested message loop could ask for again can see that it is already
// running and refuse.
#pragma once

namespace fw {

class ScopedFlag {
public:
    explicit ScopedFlag(bool& flag) : m_flag(flag) { m_flag = true; }
    ~ScopedFlag() { m_flag = false; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

private:
    bool& m_flag;
};

} // namespace fw

// Owner of one COM interface reference: released exactly once, moved but
// never copied implicitly. Named like every owner of the framework: get,
// reset, receive (for out-parameters), share (a second reference).
#pragma once

#include <unknwn.h>

namespace fw {

template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    // Takes over a reference that the caller owns.
    explicit ComPtr(T* adopted) : m_p(adopted) {}
    ComPtr(ComPtr&& other) noexcept : m_p(other.m_p) { other.m_p = nullptr; }
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        if (this != &other) {
            reset();
            m_p = other.m_p;
            other.m_p = nullptr;
        }
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() { reset(); }

    // A second owner of the same object, with a reference of its own.
    ComPtr share() const
    {
        if (m_p)
            m_p->AddRef();
        return ComPtr(m_p);
    }

    T* get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

    // For APIs that return an interface through an out-parameter.
    T** receive()
    {
        reset();
        return &m_p;
    }
    void** receiveVoid() { return reinterpret_cast<void**>(receive()); }

    void reset()
    {
        if (m_p)
            m_p->Release();
        m_p = nullptr;
    }

private:
    T* m_p = nullptr;
};

} // namespace fw

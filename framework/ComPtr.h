// Owner of one COM interface reference: released exactly once, moved but
// never copied implicitly.
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
            Reset();
            m_p = other.m_p;
            other.m_p = nullptr;
        }
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() { Reset(); }

    // A second owner of the same object, with a reference of its own.
    ComPtr Share() const
    {
        if (m_p)
            m_p->AddRef();
        return ComPtr(m_p);
    }

    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

    // For APIs that return an interface through an out-parameter.
    T** Put()
    {
        Reset();
        return &m_p;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }

    void Reset()
    {
        if (m_p)
            m_p->Release();
        m_p = nullptr;
    }

private:
    T* m_p = nullptr;
};

} // namespace fw

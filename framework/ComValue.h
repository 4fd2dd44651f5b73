// The COM value types: new BSTRs for UniqueBstr (Handle.h), and a move-only
// owner of a VARIANT, cleared with VariantClear on every path. Named like
// every owner of the framework: get, reset, release, receive.
#pragma once

#include "Handle.h"

#include <windows.h>
#include <oleauto.h>

#include <utility>

namespace fw {

// A new string holding a copy of length characters of text, or of all of a
// terminated text.
inline UniqueBstr NewBstr(const wchar_t* text, UINT length)
{
    return UniqueBstr(::SysAllocStringLen(text, length));
}
inline UniqueBstr NewBstr(const wchar_t* text)
{
    return UniqueBstr(::SysAllocString(text));
}

// Laid out exactly as a VARIANT, so an array of them is the argument array
// that IDispatch::Invoke takes.
class UniqueVariant {
public:
    UniqueVariant() { ::VariantInit(&m_value); }
    // VT_BSTR owning the string.
    explicit UniqueVariant(UniqueBstr text) : UniqueVariant()
    {
        m_value.vt = VT_BSTR;
        m_value.bstrVal = text.release();
    }
    explicit UniqueVariant(LONG number) : UniqueVariant()
    {
        m_value.vt = VT_I4;
        m_value.lVal = number;
    }
    UniqueVariant(UniqueVariant&& other) noexcept : m_value(other.m_value) { ::VariantInit(&other.m_value); }
    UniqueVariant& operator=(UniqueVariant&& other) noexcept
    {
        if (this != &other) {
            reset();
            m_value = other.m_value;
            ::VariantInit(&other.m_value);
        }
        return *this;
    }
    UniqueVariant(const UniqueVariant&) = delete;
    UniqueVariant& operator=(const UniqueVariant&) = delete;
    ~UniqueVariant() { reset(); }

    // A deep copy of a value the caller does not own; empty when it fails.
    static UniqueVariant CopyOf(const VARIANT& value)
    {
        UniqueVariant copy;
        if (FAILED(::VariantCopy(&copy.m_value, const_cast<VARIANT*>(&value))))
            copy.reset();
        return copy;
    }

    VARIANT* get() { return &m_value; }
    const VARIANT* get() const { return &m_value; }
    void reset()
    {
        ::VariantClear(&m_value);
        ::VariantInit(&m_value);
    }
    // For APIs that return a value through an out-parameter.
    VARIANT* receive()
    {
        reset();
        return &m_value;
    }

private:
    VARIANT m_value;
};
static_assert(sizeof(UniqueVariant) == sizeof(VARIANT), "an array of owners must be an array of VARIANTs");

} // namespace fw

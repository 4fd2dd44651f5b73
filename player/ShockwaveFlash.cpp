#include "ShockwaveFlash.h"

#include "AxHost.h"
#include "framework/ComPtr.h"
#include "framework/ComValue.h"
#include "framework/Handle.h"
#include "framework/Utf16Text.h"

#include <ocidl.h>

#include <algorithm>
#include <vector>

const char CShockwaveFlash::kClassIdText[] = "{D27CDB6E-AE6D-11CF-96B8-444553540000}";

namespace {
// The control's event interface, _IShockwaveFlashEvents.
const IID kFlashEvents = {0xD27CDB6D, 0xAE6D, 0x11CF, {0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

enum : DISPID {
    kPlay = 0x70,
    kRewind = 0x74,
    kFlashVersion = 0x84,
    kLoadMovie = 0x8E,
    kTGotoFrame = 0x8F,
    kTGotoLabel = 0x90,
    kTCurrentLabel = 0x92,
    kTPlay = 0x93,
    kFSCommand = 0x96,
    kSetVariable = 0x97,
    kGetVariable = 0x98,
};

// Narrow texts are in the ANSI code page; the control speaks UTF-16.
fw::UniqueVariant Text(const std::string& text)
{
    const std::vector<wchar_t> wide = fw::WideText(text.data(), static_cast<int>(text.size()), CP_ACP);
    return fw::UniqueVariant(fw::NewBstr(wide.data(), static_cast<UINT>(wide.size() - 1)));
}

std::string TextOf(fw::UniqueVariant& value)
{
    VARIANT* v = value.get();
    if (v->vt != VT_BSTR && FAILED(::VariantChangeType(v, v, 0, VT_BSTR)))
        return std::string();
    return fw::NarrowText(v->bstrVal, static_cast<int>(::SysStringLen(v->bstrVal)), CP_ACP);
}

// Arguments in call order; IDispatch wants them last first.
class Arguments {
public:
    template <typename... Values>
    explicit Arguments(Values&&... values)
    {
        m_values.reserve(sizeof...(values));
        (m_values.push_back(std::forward<Values>(values)), ...);
        std::reverse(m_values.begin(), m_values.end());
    }
    VARIANT* data() { return m_values.empty() ? nullptr : m_values.front().get(); }
    UINT count() const { return static_cast<UINT>(m_values.size()); }

private:
    std::vector<fw::UniqueVariant> m_values;
};
} // namespace

// Receives the control's events; answers for the event interface itself,
// since the control asks for it rather than only for IDispatch.
class CFlashEventSink final : public IDispatch {
public:
    explicit CFlashEventSink(CShockwaveFlash* owner) : m_pOwner(owner) {}
    void Detach() { m_pOwner = nullptr; }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == kFlashEvents) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_nRefs; }
    STDMETHODIMP_(ULONG) Release() override { return --m_nRefs ? m_nRefs : (delete this, 0); }
    STDMETHODIMP GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override
    {
        if (id != kFSCommand || !params || params->cArgs != 2 || !m_pOwner)
            return S_OK;
        // The handler may run a modal loop or destroy the player: keep this
        // sink alive for the call, and never throw back into the control.
        AddRef();
        try {
            fw::UniqueVariant command = fw::UniqueVariant::CopyOf(params->rgvarg[1]);
            fw::UniqueVariant args = fw::UniqueVariant::CopyOf(params->rgvarg[0]);
            const std::string commandText = TextOf(command);
            const std::string argsText = TextOf(args);
            if (m_pOwner)
                m_pOwner->OnEvent(commandText, argsText);
        } catch (...) {
        }
        Release();
        return S_OK;
    }

private:
    ~CFlashEventSink() = default;
    CShockwaveFlash* m_pOwner;
    ULONG m_nRefs = 1;
};

CShockwaveFlash::CShockwaveFlash() = default;

CShockwaveFlash::~CShockwaveFlash()
{
    Disconnect();
}

bool CShockwaveFlash::Create(HWND parent, const RECT& rect, int controlId)
{
    fw::UniqueWindow host(::CreateWindowExA(0, ax::kAxHostClass, kClassIdText, WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                                            rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                                            ::GetModuleHandleA(nullptr), nullptr));
    if (!host)
        return false;
    if (!SubclassWindow(host.get()) || !Connect()) {
        UnsubclassWindow();
        return false;
    }
    host.release(); // the parent's child from here on
    return true;
}

bool CShockwaveFlash::Connect()
{
    Disconnect();
    fw::ComPtr<IUnknown> control = ax::QueryHostedControl(m_hWnd);
    if (!control || FAILED(control->QueryInterface(IID_IDispatch, m_pDispatch.receiveVoid())))
        return false;
    fw::ComPtr<IConnectionPoint> point = FindEventPoint();
    if (point) {
        m_pSink = fw::ComPtr<CFlashEventSink>(new CFlashEventSink(this));
        if (FAILED(point->Advise(m_pSink.get(), &m_dwCookie)))
            m_dwCookie = 0;
    }
    SetInitialProperties();
    return true;
}

fw::ComPtr<IConnectionPoint> CShockwaveFlash::FindEventPoint() const
{
    fw::ComPtr<IConnectionPoint> point;
    fw::ComPtr<IConnectionPointContainer> container;
    if (m_pDispatch && SUCCEEDED(m_pDispatch->QueryInterface(IID_IConnectionPointContainer, container.receiveVoid())))
        container->FindConnectionPoint(kFlashEvents, point.receive());
    return point;
}

void CShockwaveFlash::Disconnect()
{
    if (m_dwCookie) {
        if (fw::ComPtr<IConnectionPoint> point = FindEventPoint())
            point->Unadvise(m_dwCookie);
    }
    m_dwCookie = 0;
    if (m_pSink)
        m_pSink->Detach();
    m_pSink.reset();
    m_pDispatch.reset();
}

void CShockwaveFlash::SetInitialProperties()
{
    // What the menu movie needs of the control, set through the control's own
    // properties: no movie yet, a real window, best quality, scripting allowed
    // and the whole movie scaled into the area.
    const struct {
        const wchar_t* name;
        const char* value;
    } properties[] = {
        {L"Movie", ""},        {L"WMode", "Window"}, {L"Quality", "High"}, {L"AllowScriptAccess", "always"},
        {L"Scale", "ShowAll"},
    };
    for (const auto& property : properties) {
        DISPID id = DISPID_UNKNOWN;
        LPOLESTR name = const_cast<LPOLESTR>(property.name);
        if (FAILED(m_pDispatch->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id)))
            continue;
        fw::UniqueVariant value = Text(property.value);
        DISPID named = DISPID_PROPERTYPUT;
        DISPPARAMS params{value.get(), &named, 1, 1};
        m_pDispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr,
                            nullptr);
    }
}

bool CShockwaveFlash::Call(DISPID id, VARIANT* args, UINT count, VARIANT* result)
{
    if (!m_pDispatch)
        return false;
    DISPPARAMS params{args, nullptr, count, 0};
    // Keep the control alive even if an event handler disconnects us.
    fw::ComPtr<IDispatch> dispatch = m_pDispatch.share();
    return SUCCEEDED(
        dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result, nullptr, nullptr));
}

bool CShockwaveFlash::Play()
{
    return Call(kPlay, nullptr, 0, nullptr);
}

bool CShockwaveFlash::Rewind()
{
    return Call(kRewind, nullptr, 0, nullptr);
}

std::int32_t CShockwaveFlash::FlashVersion()
{
    fw::UniqueVariant result;
    if (!Call(kFlashVersion, nullptr, 0, result.receive()))
        return 0;
    VARIANT* v = result.get();
    return SUCCEEDED(::VariantChangeType(v, v, 0, VT_I4)) ? v->lVal : 0;
}

bool CShockwaveFlash::LoadMovie(std::int32_t layer, const std::string& url)
{
    Arguments args(fw::UniqueVariant(static_cast<LONG>(layer)), Text(url));
    return Call(kLoadMovie, args.data(), args.count(), nullptr);
}

bool CShockwaveFlash::TGotoFrame(const std::string& target, std::int32_t frame)
{
    Arguments args(Text(target), fw::UniqueVariant(static_cast<LONG>(frame)));
    return Call(kTGotoFrame, args.data(), args.count(), nullptr);
}

bool CShockwaveFlash::TGotoLabel(const std::string& target, const std::string& label)
{
    Arguments args(Text(target), Text(label));
    return Call(kTGotoLabel, args.data(), args.count(), nullptr);
}

std::string CShockwaveFlash::CallForText(DISPID id, const std::string& argument)
{
    Arguments args(Text(argument));
    fw::UniqueVariant result;
    return Call(id, args.data(), args.count(), result.receive()) ? TextOf(result) : std::string();
}

std::string CShockwaveFlash::TCurrentLabel(const std::string& target)
{
    return CallForText(kTCurrentLabel, target);
}

bool CShockwaveFlash::TPlay(const std::string& target)
{
    Arguments args(Text(target));
    return Call(kTPlay, args.data(), args.count(), nullptr);
}

bool CShockwaveFlash::SetVariable(const std::string& name, const std::string& value)
{
    Arguments args(Text(name), Text(value));
    return Call(kSetVariable, args.data(), args.count(), nullptr);
}

std::string CShockwaveFlash::GetVariable(const std::string& name)
{
    return CallForText(kGetVariable, name);
}

bool CShockwaveFlash::OnDestroy()
{
    // Let go of the control before the host window closes it.
    Disconnect();
    return false;
}

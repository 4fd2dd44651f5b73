// The Shockwave Flash control as the menu's movie player: every operation is
// one IDispatch call by the control's fixed dispatch id, and the control's
// FSCommand event reaches the command handler. Wraps a host window of
// ax::kAxHostClass, created by a dialog template or by Create.
#pragma once

#include "MoviePlayer.h"
#include "framework/ComPtr.h"
#include "framework/Wnd.h"

#include <oaidl.h>
#include <ocidl.h>

class CFlashEventSink;

class CShockwaveFlash : public fw::CWnd, public IMoviePlayer {
public:
    static const char kClassIdText[];

    CShockwaveFlash();
    ~CShockwaveFlash() override;

    // Creates a host window for the control; false, with no window left,
    // when no Flash control can be created.
    bool Create(HWND parent, const RECT& rect, int controlId);

    // Connects to the control in the bound host window, sets its initial
    // properties and subscribes to its events; false when there is none.
    bool Connect();
    bool IsConnected() const { return static_cast<bool>(m_pDispatch); }

    bool Play() override;
    bool Rewind() override;
    std::int32_t FlashVersion() override;
    bool LoadMovie(std::int32_t layer, const std::string& url) override;
    bool TGotoFrame(const std::string& target, std::int32_t frame) override;
    bool TGotoLabel(const std::string& target, const std::string& label) override;
    std::string TCurrentLabel(const std::string& target) override;
    bool TPlay(const std::string& target) override;
    bool SetVariable(const std::string& name, const std::string& value) override;
    std::string GetVariable(const std::string& name) override;

    // Called by the event sink on the GUI thread.
    void OnEvent(const std::string& command, const std::string& args) { FireCommand(command, args); }

protected:
    bool OnDestroy() override;

private:
    void Disconnect();
    fw::ComPtr<IConnectionPoint> FindEventPoint() const;
    void SetInitialProperties();
    bool Call(DISPID id, VARIANT* args, UINT count, VARIANT* result);
    // A call with one text argument and a text result.
    std::string CallForText(DISPID id, const std::string& argument);

    fw::ComPtr<IDispatch> m_pDispatch;
    fw::ComPtr<CFlashEventSink> m_pSink;
    DWORD m_dwCookie = 0;
};

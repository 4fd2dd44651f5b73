// Dialog built on a dialog template, run modeless or with our own modal loop.
// Member control objects are declared by id (DeclareControls) and subclassed
// when the dialog initialises, before OnInitDialog. The modal loop offers each
// message to PreTranslateMessage of the objects from its target up through the
// parents and owners, so modal children nest and owners still see their
// posted messages.
#pragma once

#include "Wnd.h"

#include <utility>
#include <vector>

namespace fw {

class CDialog : public CWnd {
public:
    // resources: the module holding the template; null is the program itself.
    explicit CDialog(UINT templateId, HWND parent = nullptr, HINSTANCE resources = nullptr);
    ~CDialog() override;

    // Runs the dialog modally; returns the EndDialog code, or -1 when the
    // dialog could not be created.
    INT_PTR DoModal();

    // Creates the dialog modeless; false when the template or a control fails.
    bool Create();

    void EndDialog(INT_PTR code);
    bool IsEnded() const { return m_bEnded; }

    // The dialog's keyboard handling (focus moves, default and cancel buttons).
    bool PreTranslateMessage(MSG* msg) override;

protected:
    virtual void DeclareControls() {}
    void BindControl(int controlId, CWnd& control);

    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

    // IDOK and IDCANCEL end the dialog through OnOK and OnCancel; so does
    // WM_CLOSE, through OnCancel.
    bool OnButtonClicked(int id) override;
    bool OnClose() override;
    CWnd* FindBoundControl(int controlId) override;

private:
    static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM);
    HWND ChooseOwner() const;
    void SubclassBoundControls();
    void CenterIfNotPlaced(const RECT& before);
    void RunModalLoop();

    UINT m_nTemplateId;
    HWND m_hParent;
    HINSTANCE m_hResources;
    std::vector<std::pair<int, CWnd*>> m_bound;
    INT_PTR m_nResult = -1;
    bool m_bEnded = false;
};

// Offers a queued message to PreTranslateMessage of the wrapped windows from
// its target up through parents and owners; true when one consumed it.
bool WalkPreTranslate(MSG* msg);

// Handles every message waiting on this thread as the modal loop does, for
// long work that keeps its window alive between steps. False when a quit
// message came: it is posted again for the loop below.
bool PumpWaitingMessages();

// Answers only what other threads and programs sent to this thread, so a
// window busy in its initialisation still responds without taking input.
void AnswerSentMessages();

} // namespace fw

// CDialog: a dialog built from a resource template, run modally with our own message loop
// (so that PreTranslateMessage sees every message first) or created modeless.
//
// A template that names the window class kDialogClassName gets OnCreate and OnSetFont as well,
// which a dialog procedure never sees: the class's window procedure delivers them.
#pragma once

#include "framework/Wnd.h"

inline constexpr wchar_t kDialogClassName[] = L"QuorrexDialog";

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, HWND parent = nullptr) : m_templateId(templateId), m_parent(parent) {}
    ~CDialog() override;

    // Runs the dialog until EndDialog; returns the EndDialog result, or -1 if it could not open.
    INT_PTR DoModal();
    // Creates the dialog modeless (used where a caller drives it itself); false if it failed.
    bool Create(HWND parent = nullptr);
    void DestroyWindow();

    void EndDialog(INT_PTR result);
    bool IsEnded() const { return m_ended; }
    INT_PTR GetResult() const { return m_result; }

    // Offers the message to the subclassed controls it is for, from the innermost window out.
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    virtual int OnCreate(CREATESTRUCTW* create);
    virtual void OnSetFont(HFONT) {}
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange() {}
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // A command from a control or menu; true if handled.
    virtual bool OnCommand(int id, int code, HWND control);
    // Every message of the dialog procedure; returns what the dialog procedure returns.
    virtual INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

    // Binds a member to the template's control (see CWnd::BindDlgItem), unless it is bound to it
    // already.
    void DDX_Control(int id, CWnd& control);

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK ClassWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT ClassMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static void RegisterDialogClass();
    void CenterIfUnplaced(const RECT& before);
    void EnableOwner();
    // Sends a control's notification back to the control's own object; true if it handled it.
    bool ReflectToChild(HWND child, UINT msg, WPARAM wp, LPARAM lp, INT_PTR* result);

    UINT m_templateId;
    HWND m_parent;
    bool m_ended = false;
    INT_PTR m_result = -1;
    HWND m_disabledOwner = nullptr; // the owner DoModal disabled, until it is enabled again
};

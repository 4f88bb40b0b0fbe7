// CDlgAttributes: list set-up, the four move buttons, OK and every way of cancelling.
#include "chooser/DlgAttributes.h"

#include "framework/KeyFilter.h"
#include "query/AttributeCatalog.h"
#include "resources/resource.h"

#include <algorithm>

namespace {

// Removes the first name equal to text (A to Z in either case).
void RemoveName(std::vector<std::wstring>& names, const std::wstring& text)
{
    const auto found = std::ranges::find_if(names, [&](const std::wstring& n) { return SameDisplayName(n, text); });
    if (found != names.end())
        names.erase(found);
}

// Moves the highlighted entry of one list box to the other and the name between the owner's
// arrays; the entry now at the same place is highlighted (none after the last).
void MoveHighlighted(const CListBox& from, const CListBox& to, std::vector<std::wstring>& fromNames,
                     std::vector<std::wstring>& toNames)
{
    const int index = from.GetCurSel();
    if (index == LB_ERR)
        return;
    const std::wstring text = from.GetText(index);
    to.AddString(text);
    from.DeleteString(index);
    from.SetCurSel(index);
    toNames.push_back(text);
    RemoveName(fromNames, text);
}

} // namespace

CDlgAttributes::CDlgAttributes(HWND owner, std::vector<std::wstring>& selectedNames,
                               std::vector<std::wstring>& availableNames)
    : CDialog(IDD_ATTRIBUTES, owner), m_selectedNames(selectedNames), m_availableNames(availableNames)
{
}

void CDlgAttributes::DoDataExchange()
{
    DDX_Control(IDC_AVAILABLE_LIST, m_availableList);
    DDX_Control(IDC_SELECTED_LIST, m_selectedList);
}

BOOL CDlgAttributes::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_chosenNames.clear();
    m_savedSelected = m_selectedNames;
    m_savedAvailable = m_availableNames;
    for (const std::wstring& name : m_availableNames)
        m_availableList.AddString(name);
    for (const std::wstring& name : m_selectedNames)
        m_selectedList.AddString(name);
    return TRUE;
}

BOOL CDlgAttributes::PreTranslateMessage(MSG* msg)
{
    if (IsEnterOrEscapeAwayFrom(*msg, {GetDlgItem(IDC_CHOOSER_OK), GetDlgItem(IDC_CHOOSER_CANCEL)}))
        return TRUE;
    return CDialog::PreTranslateMessage(msg);
}

bool CDlgAttributes::OnCommand(int id, int code, HWND control)
{
    if (code != BN_CLICKED)
        return CDialog::OnCommand(id, code, control);
    switch (id) {
    case IDC_ADD:
        OnAdd();
        return true;
    case IDC_ADD_ALL:
        OnAddAll();
        return true;
    case IDC_REMOVE:
        OnRemove();
        return true;
    case IDC_REMOVE_ALL:
        OnRemoveAll();
        return true;
    case IDC_CHOOSER_OK:
        OnOK();
        return true;
    case IDC_CHOOSER_CANCEL:
        OnCancel();
        return true;
    default:
        return CDialog::OnCommand(id, code, control);
    }
}

void CDlgAttributes::OnAdd()
{
    MoveHighlighted(m_availableList, m_selectedList, m_availableNames, m_selectedNames);
}

void CDlgAttributes::OnAddAll()
{
    const int count = m_availableList.GetCount();
    for (int i = 0; i < count; ++i) {
        const std::wstring text = m_availableList.GetText(i);
        m_selectedList.AddString(text);
        m_selectedNames.push_back(text);
    }
    for (int i = count - 1; i >= 0; --i)
        m_availableList.DeleteString(i);
    m_availableNames.clear();
}

void CDlgAttributes::OnRemove()
{
    // The last selected name stays: a result needs at least one column.
    if (m_selectedList.GetCount() == 1)
        return;
    MoveHighlighted(m_selectedList, m_availableList, m_selectedNames, m_availableNames);
}

void CDlgAttributes::OnRemoveAll()
{
    const int keep = m_selectedList.GetCount() - 1;
    if (keep > 0) {
        for (int i = 0; i < keep; ++i) {
            const std::wstring text = m_selectedList.GetText(i);
            m_availableList.AddString(text);
            m_availableNames.push_back(text);
        }
        for (int i = 0; i < keep; ++i)
            m_selectedList.DeleteString(0);
    }
    if (m_selectedList.GetCount() > 0) {
        m_selectedNames.clear();
        m_selectedNames.push_back(m_selectedList.GetText(0));
    }
}

void CDlgAttributes::OnOK()
{
    const int count = m_selectedList.GetCount();
    for (int i = 0; i < count; ++i)
        m_chosenNames.push_back(m_selectedList.GetText(i));
    EndDialog(IDOK);
}

void CDlgAttributes::OnCancel()
{
    m_selectedNames = m_savedSelected;
    m_availableNames = m_savedAvailable;
    EndDialog(IDCANCEL);
}

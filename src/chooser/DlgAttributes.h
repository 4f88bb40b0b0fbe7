// CDlgAttributes: the "Attributes" chooser. It moves display names between the owner's shown
// (selected) and not shown (available) arrays as the user clicks, and puts both back on cancel.
#pragma once

#include "framework/Controls.h"
#include "framework/Dialog.h"

#include <string>
#include <vector>

class CDlgAttributes : public CDialog {
public:
    CDlgAttributes(HWND owner, std::vector<std::wstring>& selectedNames, std::vector<std::wstring>& availableNames);

    BOOL PreTranslateMessage(MSG* msg) override;

    // The selected list's names in list order, filled on OK.
    const std::vector<std::wstring>& ChosenNames() const { return m_chosenNames; }

    void OnAdd();
    void OnAddAll();
    void OnRemove();
    void OnRemoveAll();

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    CListBox m_availableList;
    CListBox m_selectedList;
    std::vector<std::wstring> m_chosenNames;
    std::vector<std::wstring>& m_selectedNames;
    std::vector<std::wstring>& m_availableNames;
    std::vector<std::wstring> m_savedSelected;
    std::vector<std::wstring> m_savedAvailable;
};

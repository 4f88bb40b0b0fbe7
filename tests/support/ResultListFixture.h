// The main dialog with its shortcut menu and save dialog answered by the test: the surroundings of
// the tests of the result list's commands and keys.
#pragma once

#include "support/MainDialogFixture.h"

#include <windows.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

using Texts = std::vector<std::wstring>;

// Chooses from the shortcut menu and keeps what it offered.
struct MenuAnswer {
    UINT choice = 0;
    int shown = 0;
    Texts items;
    bool copyEnabled = false;
    POINT at = {};

    static MenuAnswer* current;
    static UINT Choose(HMENU menu, HWND owner, POINT at);
};

// The save dialog's user: saves where savePath says (or cancels when it is empty) and counts the
// dialogs shown.
struct SaveAnswer {
    static inline int dialogs = 0;
    static inline std::wstring savePath;
    static BOOL WINAPI Answer(OPENFILENAMEW* dialog);
};

class ResultListFixture : public MainDialogFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    // A query whose rows hold a name (or none) and a tag in the description that names the row.
    void Generate(const std::vector<std::optional<std::wstring>>& names);
    Texts Column(int column) const;
    // Lets the thread idle until the list's sorts are prepared ahead; false if they never are.
    bool IdleUntilSortsPrepared();
    // Presses a key with Ctrl (and Alt: AltGr; and Shift) held, as the focused window would
    // receive it; repeat marks the press as a held key's repeat.
    void PressWithControl(WPARAM key, bool alt = false, bool shift = false, bool repeat = false);
    // Replaces the list's columns and rows.
    void Show(const Texts& headers, const std::vector<Texts>& rows);
    void Select(std::initializer_list<int> rows);
    static void PutOnClipboard(const std::wstring& text);
    static std::wstring ClipboardText();

    MenuAnswer menu;
};

#pragma once

#include <optional>

#include "table/CodePageChoice.h"
#include "viewer/WindowState.h"

namespace tessaro {

// The menu "&Zeichensatz": the code page the table is shown in, "Automatisch" (what the
// table says of itself) or the user's choice, which holds for every table opened after it
// until the user changes it again (nothing of it is kept when the program ends).
class CodePageSelection {
public:
    explicit CodePageSelection(WindowState& state) : state_(state) {}

    // After the records of a table were read (or could not be): its code page decided, and
    // the menu says so.
    void ApplyToLoadedTable();
    // Before another table is loaded: the table shown until now is gone.
    void ForgetTable();

    // The user's choice; none for "Automatisch". The table shown is shown anew in it at
    // once, from the records as they were read, and its memos follow it.
    void Choose(std::optional<int> codePage);

    std::optional<int> Choice() const { return choice_; }

private:
    void ShowMenu();

    WindowState& state_;
    std::optional<int> choice_;
    std::optional<CodePageDecision> automatic_;  // of the table shown
};

}  // namespace tessaro

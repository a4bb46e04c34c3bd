#include "CodePageSelection.h"

#include "table/ColumnLayout.h"

namespace tessaro {

namespace {

constexpr const char* kAutomaticAlone = "Automatisch";

}  // namespace

void CodePageSelection::ApplyToLoadedTable() {
    Session& session = state_.session;
    automatic_ = AutomaticCodePage(session, state_.cells);
    UseCodePage(session, state_.cells, choice_.value_or(automatic_->codePage));
    ShowMenu();
}

void CodePageSelection::ForgetTable() {
    if (automatic_) {
        automatic_.reset();
        ShowMenu();
    }
}

void CodePageSelection::Choose(std::optional<int> codePage) {
    choice_ = codePage;
    if (automatic_) {
        Session& session = state_.session;
        UseCodePage(session, state_.cells, choice_.value_or(automatic_->codePage));
        if (state_.hasRecordList) {
            int number = 0;
            for (const ShownColumn& column : session.columns.columns) {
                state_.window.SetColumnHeading(
                    ++number,
                    ColumnHeading(session.fieldTable[column.field], session.columns.text));
            }
            state_.window.RedrawRows();
        }
    }
    ShowMenu();
}

void CodePageSelection::ShowMenu() {
    state_.window.SetCodePageMenu(automatic_ ? automatic_->AutomaticText() : kAutomaticAlone,
                                  choice_);
}

}  // namespace tessaro

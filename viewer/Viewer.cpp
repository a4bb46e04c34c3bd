#include "Viewer.h"

#include "fileio/ErrorMessage.h"
#include "fileio/FileSystem.h"
#include "fileio/SmallFile.h"
#include "table/ReadTableHeader.h"

namespace tessaro {

Viewer::Viewer(WindowPort& window, DesktopPort& desktop, RetryPolicy retry)
    : state_(window, desktop), codePages_(state_), loader_(state_, codePages_), selection_(state_) {
    state_.session.access.retry = std::move(retry);
}

template <typename Command>
void Viewer::RunAlone(Command&& command) {
    if (busy_) {
        return;
    }
    struct Running {
        bool& busy;
        explicit Running(bool& flag) : busy(flag) { busy = true; }
        ~Running() { busy = false; }
    } running(busy_);
    command();
}

void Viewer::Start() {
    ShowPrompt();
    OpenAtStart();
}

void Viewer::ShowPrompt() {
    state_.SetStatusText("Bitte wählen Sie eine DBase Datei zur Ansicht");
    codePages_.Choose(std::nullopt);  // the menu as it starts
}

void Viewer::OpenAtStart() {
    RunAlone([this] { loader_.AutomaticOpenAtStart(); });
}

void Viewer::OpenTable() {
    if (!ended_) {
        RunAlone([this] { loader_.OpenCommand(); });
    }
}

void Viewer::OpenDroppedFiles(const std::vector<std::string>& paths) {
    if (ended_ || paths.empty()) {
        return;
    }
    RunAlone([&] {
        if (ExistsButIsNoFile(paths.front())) {
            ShowNoTable(state_.session, state_.Owner());
        } else {
            loader_.OpenChosenTable(paths.front());
        }
    });
}

bool Viewer::TakesDrop(const std::vector<std::string>& paths) const {
    return !ended_ && !busy_ && !paths.empty() && !ExistsButIsNoFile(paths.front());
}

void Viewer::OpenMemo() {
    RunAlone([this] { selection_.ShowMemo(); });
}

void Viewer::GoToRecord() { state_.window.ShowGoToDialog(); }

void Viewer::ShowHelp() {
    RunAlone([this] {
        const std::string file = FindHelpFile();
        if (file.empty()) {
            state_.session.Desktop().ShowMessageBox(
                state_.Owner(),
                std::string("Die Hilfedatei ") + kHelpFileName + " wurde nicht gefunden.",
                "Tessaro Hilfe", BoxButtons::Ok | BoxIcon::Exclamation);
            return;
        }
        state_.window.ShowHelp(file);
    });
}

void Viewer::ShowVersion() { state_.window.ShowVersionBox(); }

void Viewer::ChooseCodePage(std::optional<int> codePage) {
    if (!ended_) {
        // Not while a load reads the records that the choice would show anew.
        RunAlone([&] { codePages_.Choose(codePage); });
    }
}

void Viewer::End() {
    if (ended_) {
        return;
    }
    ended_ = true;
    state_.window.BeepQuestion();
    state_.session.access.files.CloseAll();
    state_.window.Quit(0);
}

void Viewer::OnRowClick(std::int32_t row) { selection_.OnClick(row); }

void Viewer::OnRowDoubleClick(std::int32_t row) {
    RunAlone([this, row] { selection_.OnDoubleClick(row); });
}

void Viewer::OnHeaderClick() {
    RunAlone([this] { selection_.OnHeaderClick(); });
}

void Viewer::SearchRecord(std::string_view text) { selection_.SearchAndShow(text); }

bool Viewer::NoteOutOfMemory() {
    if (outOfMemoryNoted_ || reportingOutOfMemory_) {
        return false;
    }
    outOfMemoryNoted_ = true;
    return true;
}

void Viewer::ReportOutOfMemory() {
    if (reportingOutOfMemory_) {
        return;
    }
    reportingOutOfMemory_ = true;
    const bool wasBusy = busy_;
    busy_ = true;  // a box like any other
    try {
        ShowErrorMessage(state_.session.Desktop(), kErrOutOfMemory);
    } catch (const std::bad_alloc&) {
        // Not even the box could be had: the program goes on all the same.
    }
    busy_ = wasBusy;
    reportingOutOfMemory_ = false;
    outOfMemoryNoted_ = false;
}

void Viewer::ReportNotedOutOfMemory() {
    if (outOfMemoryNoted_) {
        ReportOutOfMemory();
    }
}

std::string Viewer::FindHelpFile() {
    std::string programFolder = state_.window.ProgramFolder();
    if (!programFolder.empty() && programFolder.back() != '/') {
        programFolder += '/';
    }
    const std::string candidates[] = {
        kHelpFileName,
        programFolder + kHelpFileName,
        programFolder + "../share/tessaro/" + kHelpFileName,
        state_.window.DataFolder() + "/" + kHelpFileName,
    };
    for (const std::string& candidate : candidates) {
        if (ReadSmallFile(candidate, kHelpFileMaxBytes)) {
            return candidate;
        }
    }
    return {};
}

}  // namespace tessaro

#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "support/FakeDesktop.h"
#include "table/RecordCells.h"
#include "viewer/WindowPort.h"

namespace tessaro::test {

// A window that only notes what the viewer asks of it, with a desktop whose boxes are
// recorded and answered as scripted (see BoxRecorder) and whose open dialog answers with
// a chosen path, or is cancelled.
class FakeWindow final : public WindowPort, public DesktopPort, public BoxRecorder {
public:
    struct Column {
        std::string heading;
        int width;
        std::string wholeText = {};
        friend bool operator==(const Column&, const Column&) = default;
    };

    // WindowPort
    WindowHandle OwnerWindow() override { return kOwner; }
    bool CreateRecordList() override {
        if (!listCanBeMade) {
            return false;
        }
        ++listsCreated;
        hasList = true;
        listVisible = true;
        columns.clear();
        rows = nullptr;
        return true;
    }
    void DestroyRecordList() override {
        hasList = false;
        listVisible = false;
        rows = nullptr;
    }
    void ShowRecordList(bool visible) override { listVisible = visible; }
    void AddColumn(std::string_view heading, int width, std::string_view wholeText) override {
        columns.push_back({std::string(heading), width, std::string(wholeText)});
    }
    void SetRows(const RecordCells& cells) override { rows = &cells; }
    void SetColumnHeading(int column, std::string_view heading) override {
        if (column >= 0 && static_cast<std::size_t>(column) < columns.size()) {
            columns[static_cast<std::size_t>(column)].heading = heading;
        }
    }
    void RedrawRows() override { ++redraws; }
    void SetCodePageMenu(std::string_view automaticText, std::optional<int> chosen) override {
        codePageMenu = {std::string(automaticText), chosen};
    }
    void EnsureRowVisible(std::int32_t row) override { rowsBroughtIntoView.push_back(row); }
    void SetStatusText(std::string_view text) override { statusTexts.emplace_back(text); }
    void EnableMemoItem(bool enabled) override { memoItemEnabled = enabled; }
    std::optional<std::string> ShowOpenDialog(const OpenDialogRequest& request) override {
        dialogRequests.push_back(request);
        return chosenFile;
    }
    void ShowGoToDialog() override { ++goToDialogs; }
    void ShowVersionBox() override { ++versionBoxes; }
    void ShowHelp(const std::string& helpFile) override { helpShown.push_back(helpFile); }
    std::string ProgramFolder() override { return programFolder; }
    std::string DataFolder() override { return dataFolder; }
    void BeepQuestion() override { ++beeps; }
    void Quit(int exitCode) override { quits.push_back(exitCode); }

    // DesktopPort
    BoxAnswer ShowMessageBox(WindowHandle owner, std::string_view text, std::string_view caption,
                             BoxStyle style) override {
        return Answer(owner, text, caption, style);
    }
    void StartTextEditor(const std::string& fileName) override { editorStarts.push_back(fileName); }

    const std::string& Status() const { return statusTexts.back(); }
    std::string Cell(std::int32_t row, int column) const {
        return rows == nullptr ? std::string() : std::string(rows->CellText(row, column));
    }

    static inline WindowHandle const kOwner = reinterpret_cast<WindowHandle>(0x3079);

    bool listCanBeMade = true;
    int listsCreated = 0;
    bool hasList = false;
    bool listVisible = false;
    std::vector<Column> columns;
    const RecordCells* rows = nullptr;
    int redraws = 0;
    struct CodePageMenu {
        std::string automaticText;
        std::optional<int> chosen;
        friend bool operator==(const CodePageMenu&, const CodePageMenu&) = default;
    };
    CodePageMenu codePageMenu;
    std::vector<std::int32_t> rowsBroughtIntoView;
    std::vector<std::string> statusTexts;
    std::optional<bool> memoItemEnabled;    // none: never set, as the menu starts it (grayed)
    std::optional<std::string> chosenFile;  // none: the user cancels
    std::vector<OpenDialogRequest> dialogRequests;
    int goToDialogs = 0;
    int versionBoxes = 0;
    std::vector<std::string> helpShown;
    std::string programFolder = "/nirgends/bin";
    std::string dataFolder = "/nirgends/share/tessaro";
    int beeps = 0;
    std::vector<int> quits;
    std::vector<std::string> editorStarts;
};

}  // namespace tessaro::test

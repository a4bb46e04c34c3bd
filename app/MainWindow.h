#pragma once

#include <QMainWindow>
#include <QPointer>

#include "app/FrontEndPort.h"
#include "viewer/Viewer.h"

namespace tessaro {

class ClientArea;
class HelpWindow;
class MainMenu;
class RecordListView;

// The program's one window: menu, client area with background picture, status line and
// record list. It draws what the viewer asks for and forwards every command and click to
// it.
class MainWindow final : public QMainWindow, private WindowPort {
    Q_OBJECT
public:
    // Builds the window; a working folder with exactly one table has it loaded at once.
    explicit MainWindow(FrontEndPort& port, RetryPolicy retry = {});
    ~MainWindow() override;

    static constexpr int kStartWidth = 281;
    static constexpr int kStartHeight = 350;

    Viewer& Behaviour() { return viewer_; }
    ClientArea* Client() const { return client_; }
    MainMenu* Menu() const { return menu_; }
    RecordListView* RecordList() const { return recordList_; }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // WindowPort
    WindowHandle OwnerWindow() override { return static_cast<QWidget*>(this); }
    bool CreateRecordList() override;
    void DestroyRecordList() override;
    void ShowRecordList(bool visible) override;
    void AddColumn(std::string_view heading, int width, std::string_view wholeText) override;
    void SetRows(const RecordCells& cells) override;
    void SetColumnHeading(int column, std::string_view heading) override;
    void RedrawRows() override;
    void EnsureRowVisible(std::int32_t row) override;
    void SetStatusText(std::string_view text) override;
    void EnableMemoItem(bool enabled) override;
    void SetCodePageMenu(std::string_view automaticText, std::optional<int> chosen) override;
    std::optional<std::string> ShowOpenDialog(const OpenDialogRequest& request) override;
    void ShowGoToDialog() override;
    void ShowVersionBox() override;
    void ShowHelp(const std::string& helpFile) override;
    std::string ProgramFolder() override;
    std::string DataFolder() override;
    void BeepQuestion() override;
    void Quit(int exitCode) override;

    void ConnectMenu();
    void KeepOuterStartSize();
    void OpenAtStart();

    // The flags come first: Qt already sends events to the window while the members after
    // them are made (the menu bar), and event() reads them.
    bool shownOnce_ = false;
    bool outerSizeKept_ = false;
    bool openedAtStart_ = false;
    FrontEndPort& port_;
    MainMenu* menu_;
    ClientArea* client_;
    RecordListView* recordList_ = nullptr;
    QPointer<HelpWindow> help_;
    Viewer viewer_;  // last: it may draw into the window while it starts
};

}  // namespace tessaro

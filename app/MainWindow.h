#pragma once

#include <memory>

#include <QMainWindow>
#include <QPointer>

#include "app/FrontEndPort.h"
#include "table/Session.h"

namespace tessaro {

class ClientArea;
class HelpWindow;
class MainMenu;
class RecordListView;
class RecordSelection;
class TableLoader;

// The program's one window: menu, client area with background picture, status line and
// record list. It holds the window state and turns every command and list notification
// into the matching action, by the ids of the Windows program.
class MainWindow final : public QMainWindow {
    Q_OBJECT
public:
    // Builds the window; a working folder with exactly one table has it loaded at once.
    explicit MainWindow(FrontEndPort& port, RetryPolicy retry = {});
    ~MainWindow() override;

    static constexpr int kStartWidth = 281;
    static constexpr int kStartHeight = 350;

    // The window state.
    Session& State() { return session_; }
    FrontEndPort& Port() { return port_; }
    ClientArea* Client() const { return client_; }
    MainMenu* Menu() const { return menu_; }
    RecordListView* RecordList() const { return recordList_; }
    std::int32_t CurrentRecordRow() const { return currentRecordRow_; }
    void SetCurrentRecordRow(std::int32_t row) { currentRecordRow_ = row; }
    const QString& StatusText() const { return statusText_; }
    TableLoader& Loader() { return *loader_; }
    RecordSelection& Selection() { return *selection_; }

    // A new record list over the client area, visible; the old one must be gone.
    RecordListView* CreateRecordList();
    void DestroyRecordList();
    // Shows at most the first 254 characters in the status line.
    void SetStatusText(const QString& text);
    // Paints the status line at once, for a text shown while the window is blocked.
    void PaintStatusLineNow();

    // The command dispatch by menu id, and the record list's notifications.
    void OnCommand(int commandId);
    void OnRecordListNotify(int code);

    // The orderly end: the question sound, every file closed, the event loop ended with 0.
    void Shutdown();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void ShowHelp();
    void ShowVersionBox();
    void ShowMemo();
    void KeepOuterStartSize();

    FrontEndPort& port_;
    Session session_;
    MainMenu* menu_;
    ClientArea* client_;
    RecordListView* recordList_ = nullptr;
    std::int32_t currentRecordRow_ = 0;
    QString statusText_;
    std::unique_ptr<TableLoader> loader_;
    std::unique_ptr<RecordSelection> selection_;
    QPointer<HelpWindow> help_;
    bool shownOnce_ = false;
    bool shutDown_ = false;
};

}  // namespace tessaro

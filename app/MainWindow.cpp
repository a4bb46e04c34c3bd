#include "MainWindow.h"

#include <QCloseEvent>
#include <QTimer>

#include "app/ClientArea.h"
#include "app/CommandIds.h"
#include "app/HelpWindow.h"
#include "app/MainMenu.h"
#include "app/QtDesktop.h"
#include "app/RecordListView.h"
#include "app/RecordSelection.h"
#include "app/Resources.h"
#include "app/StatusLine.h"
#include "app/TableLoader.h"
#include "app/VersionBox.h"
#include "table/ShowMemoField.h"

namespace tessaro {

MainWindow::MainWindow(FrontEndPort& port, RetryPolicy retry)
    : port_(port), session_(port), menu_(new MainMenu(menuBar(), this)),
      client_((LoadResources(), new ClientArea(this))) {
    setObjectName(QStringLiteral("MYPROGRAM32"));
    setWindowTitle(QStringLiteral("Tessaro"));
    setWindowIcon(QIcon(QStringLiteral(":/res/program.png")));
    setCentralWidget(client_);
    session_.access.retry = std::move(retry);
    resize(kStartWidth, kStartHeight);
    connect(menu_, &MainMenu::Command, this, &MainWindow::OnCommand);
    loader_ = std::make_unique<TableLoader>(*this);
    selection_ = std::make_unique<RecordSelection>(*this);

    SetStatusText(QStringLiteral("Bitte wählen Sie eine DBase Datei zur Ansicht"));
    loader_->AutomaticOpenAtStart();
}

MainWindow::~MainWindow() = default;

RecordListView* MainWindow::CreateRecordList() {
    recordList_ = new RecordListView(client_);
    connect(recordList_, &RecordListView::Notify, this, &MainWindow::OnRecordListNotify);
    client_->SetRecordList(recordList_);
    recordList_->show();
    return recordList_;
}

void MainWindow::DestroyRecordList() {
    if (recordList_ != nullptr) {
        client_->SetRecordList(nullptr);
        delete recordList_;
        recordList_ = nullptr;
    }
}

void MainWindow::SetStatusText(const QString& text) {
    StatusLine* status = client_->Status();
    status->SetStatusText(text);
    statusText_ = status->text();
}

void MainWindow::PaintStatusLineNow() {
    if (client_->Status()->isVisible()) {
        client_->Status()->repaint();
    }
}

void MainWindow::OnCommand(int commandId) {
    switch (commandId) {
        case IDM_OPEN: loader_->OpenCommand(); break;
        case IDM_MEMO: ShowMemo(); break;
        case IDM_GOTO: selection_->GoToRecord(); break;
        case IDM_END: Shutdown(); break;
        case IDM_HELP: ShowHelp(); break;
        case IDM_VERSION: ShowVersionBox(); break;
        default: break;
    }
}

void MainWindow::OnRecordListNotify(int code) { selection_->HandleRecordListNotify(code); }

void MainWindow::ShowMemo() {
    const RecordListModel* model = recordList_ != nullptr ? recordList_->Model() : nullptr;
    ShowMemoField(session_, HandleOf(this), model != nullptr ? &model->Cells() : nullptr, currentRecordRow_);
}

void MainWindow::ShowHelp() {
    if (help_ != nullptr) {
        help_->show();
        help_->raise();
        help_->activateWindow();
        return;
    }
    const QString file = HelpWindow::FindHelpFile();
    if (file.isEmpty()) {
        port_.ShowMessageBox(HandleOf(this), "Die Hilfedatei tessaro.hlp wurde nicht gefunden.",
                         "Tessaro Hilfe", BoxButtons::Ok | BoxIcon::Exclamation);
        return;
    }
    help_ = new HelpWindow(file, this);
    help_->show();
}

void MainWindow::ShowVersionBox() {
    auto* box = new VersionBox(this);
    box->show();
}

void MainWindow::Shutdown() {
    if (shutDown_) {
        return;
    }
    shutDown_ = true;
    port_.BeepQuestion();
    session_.access.files.CloseAll();
    port_.PostQuit(0);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    Shutdown();
    event->accept();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        // The window manager adds its frame only once the window is shown.
        QTimer::singleShot(0, this, &MainWindow::KeepOuterStartSize);
    }
}

// The start size is the outer size, frame and title bar included.
void MainWindow::KeepOuterStartSize() {
    const QSize frame = frameGeometry().size() - geometry().size();
    if (frame.width() > 0 || frame.height() > 0) {
        resize(kStartWidth - frame.width(), kStartHeight - frame.height());
    }
}

}  // namespace tessaro

#include "MainWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTimer>
#include <QWindow>

#include <new>

#include "app/ClientArea.h"
#include "app/DataFolder.h"
#include "app/GoToDialog.h"
#include "app/HelpWindow.h"
#include "app/MainMenu.h"
#include "app/RecordListView.h"
#include "app/Resources.h"
#include "app/StatusLine.h"
#include "app/VersionBox.h"

namespace tessaro {

namespace {

QString FromBytes(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The name of a dropped local file in its bytes, as the file manager percent-encoded them:
// a name that is not UTF-8 would not come through a QString whole.
std::string LocalFileBytes(const QUrl& url) {
    QByteArray bytes = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    if (!url.host().isEmpty()) {
        bytes.prepend(QFile::encodeName(QStringLiteral("//") + url.host()));
    }
    return bytes.toStdString();
}

// The local files of a drop, in the bytes of their names; links to elsewhere are left out.
std::vector<std::string> DroppedFiles(const QMimeData* data) {
    std::vector<std::string> paths;
    if (data == nullptr) {
        return paths;
    }
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            paths.push_back(LocalFileBytes(url));
        }
    }
    return paths;
}

}  // namespace

MainWindow::MainWindow(FrontEndPort& port, RetryPolicy retry)
    : port_(port),
      menu_(new MainMenu(menuBar(), this)),
      client_((LoadResources(), new ClientArea(this))),
      viewer_(*this, port, std::move(retry)) {
    setObjectName(QStringLiteral("MYPROGRAM32"));
    setWindowTitle(QStringLiteral("Tessaro"));
    setWindowIcon(QIcon(QStringLiteral(":/res/program.png")));
    setCentralWidget(client_);
    resize(kStartWidth, kStartHeight);
    setAcceptDrops(true);
    ConnectMenu();
    viewer_.ShowPrompt();
}

// The list shows the viewer's cells: it goes before the viewer does, since closing the
// window still lays it out.
MainWindow::~MainWindow() { DestroyRecordList(); }

// Every command and click goes to the viewer guarded: memory that runs out in it is
// reported there and never passes through Qt, which takes no exceptions.
void MainWindow::ConnectMenu() {
    const auto command = [this](QAction* action, void (Viewer::*run)()) {
        connect(action, &QAction::triggered, this,
                [this, run] { viewer_.Guarded([&] { (viewer_.*run)(); }); });
    };
    command(menu_->open, &Viewer::OpenTable);
    command(menu_->memo, &Viewer::OpenMemo);
    command(menu_->goTo, &Viewer::GoToRecord);
    command(menu_->end, &Viewer::End);
    command(menu_->help, &Viewer::ShowHelp);
    command(menu_->version, &Viewer::ShowVersion);
    const auto codePage = [this](QAction* action, std::optional<int> page) {
        connect(action, &QAction::triggered, this,
                [this, page] { viewer_.Guarded([&] { viewer_.ChooseCodePage(page); }); });
    };
    codePage(menu_->automatic, std::nullopt);
    for (QAction* action : menu_->codePages) {
        codePage(action, action->data().toInt());
    }
}

bool MainWindow::CreateRecordList() {
    recordList_ = new RecordListView(client_);
    connect(recordList_, &RecordListView::RowClicked, this,
            [this](std::int32_t row) { viewer_.Guarded([&] { viewer_.OnRowClick(row); }); });
    connect(recordList_, &RecordListView::RowDoubleClicked, this,
            [this](std::int32_t row) { viewer_.Guarded([&] { viewer_.OnRowDoubleClick(row); }); });
    connect(recordList_, &RecordListView::HeaderClicked, this,
            [this] { viewer_.Guarded([&] { viewer_.OnHeaderClick(); }); });
    // The list asks for cells while it draws, where no box can be shown: the box follows.
    recordList_->Model()->onOutOfMemory = [this] {
        if (viewer_.NoteOutOfMemory()) {
            QMetaObject::invokeMethod(
                this, [this] { viewer_.ReportNotedOutOfMemory(); }, Qt::QueuedConnection);
        }
    };
    client_->SetRecordList(recordList_);
    recordList_->show();
    return true;
}

void MainWindow::DestroyRecordList() {
    if (recordList_ != nullptr) {
        client_->SetRecordList(nullptr);
        delete recordList_;
        recordList_ = nullptr;
    }
}

void MainWindow::ShowRecordList(bool visible) {
    if (recordList_ != nullptr) {
        recordList_->setVisible(visible);
        // A table shown takes the keys at once, however it was opened: the first Down key
        // goes to record 1.
        if (visible) {
            recordList_->setFocus();
        }
    }
}

void MainWindow::AddColumn(std::string_view heading, int width, std::string_view wholeText) {
    if (recordList_ != nullptr) {
        recordList_->AddColumn(FromBytes(heading), width, FromBytes(wholeText));
    }
}

void MainWindow::SetRows(const RecordCells& cells) {
    if (recordList_ != nullptr) {
        recordList_->SetRows(cells);
    }
}

void MainWindow::SetColumnHeading(int column, std::string_view heading) {
    if (recordList_ != nullptr) {
        recordList_->Model()->SetHeading(column, FromBytes(heading));
    }
}

void MainWindow::RedrawRows() {
    if (recordList_ != nullptr) {
        recordList_->Model()->CellsChanged();
    }
}

// What a go-to dialog finds is never left under one of them.
void MainWindow::EnsureRowVisible(std::int32_t row) {
    if (recordList_ == nullptr) {
        return;
    }
    QList<QRect> dialogs;
    for (const GoToDialog* dialog : findChildren<GoToDialog*>()) {
        if (dialog->isVisible()) {
            dialogs << dialog->frameGeometry();
        }
    }
    recordList_->EnsureRowVisible(row, dialogs);
}

void MainWindow::SetStatusText(std::string_view text) {
    StatusLine* status = client_->Status();
    status->setText(FromBytes(text));
    // A load blocks the window: its progress must show at once. Once the list is shown
    // the load is over, and the event loop paints it and the status line together.
    if (status->isVisible() && (recordList_ == nullptr || recordList_->isHidden())) {
        status->repaint();
    }
}

void MainWindow::EnableMemoItem(bool enabled) { menu_->memo->setEnabled(enabled); }

void MainWindow::SetCodePageMenu(std::string_view automaticText, std::optional<int> chosen) {
    // A "&" of a file's name is no key of the menu.
    menu_->automatic->setText(FromBytes(automaticText).replace(u'&', QStringLiteral("&&")));
    QAction* checked = menu_->automatic;
    for (QAction* action : menu_->codePages) {
        if (chosen && action->data().toInt() == *chosen) {
            checked = action;
        }
    }
    checked->setChecked(true);
}

std::optional<std::string> MainWindow::ShowOpenDialog(const OpenDialogRequest& request) {
    return port_.ShowOpenDialog(this, request);
}

void MainWindow::ShowGoToDialog() {
    auto* dialog = new GoToDialog(this);
    connect(dialog, &GoToDialog::Search, this, [this](const QString& text) {
        viewer_.Guarded([&] { viewer_.SearchRecord(text.toStdString()); });
    });
    dialog->show();
}

void MainWindow::ShowVersionBox() { (new VersionBox(this))->show(); }

void MainWindow::ShowHelp(const std::string& helpFile) {
    if (help_ == nullptr) {
        help_ = new HelpWindow(QFile::decodeName(QByteArray::fromStdString(helpFile)), this);
        if (help_->RanOutOfMemory()) {
            delete help_;
            throw std::bad_alloc();  // reported where the command came in
        }
    }
    help_->show();
    help_->raise();
    help_->activateWindow();
}

std::string MainWindow::ProgramFolder() {
    return QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
}

std::string MainWindow::DataFolder() { return InstalledDataFolder(); }

void MainWindow::BeepQuestion() { port_.BeepQuestion(); }

void MainWindow::Quit(int exitCode) { port_.PostQuit(exitCode); }

void MainWindow::closeEvent(QCloseEvent* event) {
    viewer_.End();
    event->accept();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        windowHandle()->installEventFilter(this);
    }
}

// Only what the viewer would open is taken: no drop cursor for a folder or a device (Qt
// keeps the answer for the moves within the window).
void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (viewer_.TakesDrop(DroppedFiles(event->mimeData()))) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

// The table is loaded once the drop is over: the file manager waits for its end, and the
// load may show boxes. Guarded as every command: Qt takes no exceptions.
void MainWindow::dropEvent(QDropEvent* event) {
    std::vector<std::string> paths = DroppedFiles(event->mimeData());
    if (!viewer_.TakesDrop(paths)) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    QTimer::singleShot(0, this, [this, paths = std::move(paths)] {
        viewer_.Guarded([&] { viewer_.OpenDroppedFiles(paths); });
    });
}

// The table of the working folder is loaded once the window is on the screen, where the
// window manager has put it, so that every box the load shows stands over it.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == windowHandle() && event->type() == QEvent::Expose && !openedAtStart_ &&
        windowHandle()->isExposed()) {
        QTimer::singleShot(0, this, &MainWindow::OpenAtStart);
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::OpenAtStart() {
    if (!openedAtStart_) {
        openedAtStart_ = true;
        viewer_.Guarded([this] { viewer_.OpenAtStart(); });
    }
}

bool MainWindow::event(QEvent* event) {
    const bool handled = QMainWindow::event(event);
    // A window manager frames the window some time after it is shown and then moves it:
    // its frame is known from then on.
    if (!outerSizeKept_ && (event->type() == QEvent::Move || event->type() == QEvent::Resize ||
                            event->type() == QEvent::Expose || event->type() == QEvent::Show)) {
        KeepOuterStartSize();
    }
    return handled;
}

// The start size is the outer size, frame and title bar included; it is set once, when the
// frame is first known. Without a window manager there is no frame and nothing changes.
void MainWindow::KeepOuterStartSize() {
    const QWindow* handle = windowHandle();
    if (handle == nullptr || !isVisible()) {
        return;
    }
    const QMargins frame = handle->frameMargins();
    if (frame.isNull()) {
        return;
    }
    outerSizeKept_ = true;
    resize(kStartWidth - frame.left() - frame.right(), kStartHeight - frame.top() - frame.bottom());
}

}  // namespace tessaro

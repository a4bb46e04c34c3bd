#pragma once

#include <memory>

#include <QAction>
#include <QDir>

#include <gtest/gtest.h>

#include "FakeFrontEnd.h"
#include "app/CommandIds.h"
#include "app/MainMenu.h"
#include "app/MainWindow.h"
#include "app/RecordListView.h"
#include "support/TableBuilder.h"
#include "support/TempDir.h"

namespace tessaro::test {

// A window started in a fresh working folder, on a scripted desktop, with retries that
// don't wait.
class WindowFixture : public ::testing::Test {
protected:
    WindowFixture() : previousFolder_(QDir::currentPath()) { QDir::setCurrent(QString::fromStdString(dir.Path())); }
    ~WindowFixture() override {
        window.reset();
        QDir::setCurrent(previousFolder_);
    }

    MainWindow& Start() {
        RetryPolicy retry;
        retry.sleep = [this](std::chrono::milliseconds) { ++waits; };
        window = std::make_unique<MainWindow>(port, retry);
        window->show();
        return *window;
    }

    // The open command with the dialog answering `path`.
    void OpenByCommand(const std::string& path) {
        port.chosenFile = QString::fromStdString(path);
        window->OnCommand(IDM_OPEN);
    }

    RecordListView* List() const { return window->RecordList(); }
    QString Status() const { return window->StatusText(); }
    QAction* MemoItem() const { return window->Menu()->Item(IDM_MEMO); }
    QString Cell(int row, int column) const {
        return List()->Model()->data(List()->Model()->index(row, column), Qt::DisplayRole).toString();
    }

    // A level 5 table with a memo field.
    void MakeMemoTable(const std::string& name, int records = 3) {
        TableBuilder table;
        table.Field("NAME", 'C', 10).Field("NOTIZ", 'M', 10);
        for (int i = 1; i <= records; ++i) {
            table.Record({"Kunde " + std::to_string(i), i == 2 ? "         1" : ""});
        }
        table.WriteTo(dir.File(name));
    }

    TempDir dir;
    FakeFrontEnd port;
    std::unique_ptr<MainWindow> window;
    int waits = 0;

private:
    QString previousFolder_;
};

}  // namespace tessaro::test

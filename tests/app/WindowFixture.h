#pragma once

#include <memory>

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QTest>

#include <gtest/gtest.h>

#include "FakeFrontEnd.h"
#include "app/MainMenu.h"
#include "app/MainWindow.h"
#include "app/RecordListView.h"
#include "builder/TableBuilder.h"
#include "support/TempDir.h"

namespace tessaro::test {

// The Qt window started in a fresh working folder, on a scripted desktop, with retries
// that don't wait. Its behaviour is tested without Qt (tests/viewer); these tests are for
// what only the widgets do.
class WindowFixture : public ::testing::Test {
protected:
    WindowFixture() : previousFolder_(QDir::currentPath()) {
        QDir::setCurrent(QString::fromStdString(dir.Path()));
    }
    ~WindowFixture() override {
        window.reset();
        QDir::setCurrent(previousFolder_);
    }

    MainWindow& Start() {
        RetryPolicy retry;
        retry.sleep = [](std::chrono::milliseconds) {};
        window = std::make_unique<MainWindow>(port, retry);
        window->show();
        // The table of the folder is loaded once the window is on the screen.
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        QCoreApplication::processEvents();
        return *window;
    }

    // The open command from the menu, with the dialog answering `path`.
    void OpenByCommand(const std::string& path) {
        port.chosenFile = path;
        window->Menu()->open->trigger();
    }

    RecordListView* List() const { return window->RecordList(); }
    QString Status() const { return QString::fromStdString(window->Behaviour().StatusText()); }
    QString Cell(int row, int column) const {
        return List()
            ->Model()
            ->data(List()->Model()->index(row, column), Qt::DisplayRole)
            .toString();
    }

    // A level 5 table with a memo field; record 2 refers to block 1.
    void MakeMemoTable(const std::string& name, int records = 3) {
        CustomerTable(records).WriteTo(dir.File(name));
    }

    TempDir dir;
    FakeFrontEnd port;
    std::unique_ptr<MainWindow> window;

private:
    QString previousFolder_;
};

}  // namespace tessaro::test

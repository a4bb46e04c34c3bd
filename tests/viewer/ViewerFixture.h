#pragma once

#include <filesystem>
#include <memory>

#include <gtest/gtest.h>

#include "FakeWindow.h"
#include "builder/TableBuilder.h"
#include "support/TempDir.h"
#include "viewer/Viewer.h"

namespace tessaro::test {

// A viewer started in a fresh working folder, in a scripted window, with retries that
// don't wait.
class ViewerFixture : public ::testing::Test {
protected:
    ViewerFixture() : previousFolder_(std::filesystem::current_path()) {
        std::filesystem::current_path(dir.Path());
    }
    ~ViewerFixture() override { std::filesystem::current_path(previousFolder_); }

    Viewer& Start() {
        RetryPolicy retry;
        retry.sleep = [this](std::chrono::milliseconds) { ++waits; };
        viewer = std::make_unique<Viewer>(window, window, retry);
        viewer->Start();
        return *viewer;
    }

    // The open command with the dialog answering `path`.
    void OpenByCommand(const std::string& path) {
        window.chosenFile = path;
        viewer->OpenTable();
    }

    // A level 5 table with a memo field; record 2 refers to block 1.
    void MakeMemoTable(const std::string& name, int records = 3) {
        CustomerTable(records).WriteTo(dir.File(name));
    }

    TempDir dir;
    FakeWindow window;
    std::unique_ptr<Viewer> viewer;
    int waits = 0;

private:
    std::filesystem::path previousFolder_;
};

}  // namespace tessaro::test

// The editor gets the very name of the text file: its bytes also when they are no UTF-8,
// and never a name that it would read as an option.

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include <gtest/gtest.h>

#include "app/TextEditorLauncher.h"
#include "builder/TableBuilder.h"
#include "support/TempDir.h"

namespace tessaro {
namespace {

// A PATH with one text editor, a script that writes its arguments into a file, and no
// desktop to ask for a default.
class FakeEditor : public ::testing::Test {
protected:
    FakeEditor() : previousPath_(std::getenv("PATH") != nullptr ? std::getenv("PATH") : "") {
        test::WriteFile(bin.File("gedit"), "#!/bin/sh\nprintf '%s|' \"$@\" > \"" +
                                               bin.File("called") + ".part\"\n/bin/mv \"" +
                                               bin.File("called") + ".part\" \"" +
                                               bin.File("called") + "\"\n");
        std::filesystem::permissions(bin.File("gedit"), std::filesystem::perms::owner_all);
        ::setenv("PATH", bin.Path().c_str(), 1);
    }
    ~FakeEditor() override { ::setenv("PATH", previousPath_.c_str(), 1); }

    // What the editor was called with, once it has run.
    std::string Called() {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!std::filesystem::exists(bin.File("called")) &&
               std::chrono::steady_clock::now() < until) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        const std::string called = test::ReadFile(bin.File("called"));
        std::filesystem::remove(bin.File("called"));
        return called;
    }

    test::TempDir bin;

private:
    std::string previousPath_;
};

TEST_F(FakeEditor, GetsTheBytesOfANameThatIsNoUtf8) {
    const std::string latin1 = "K\xE4se.tmp";
    EXPECT_EQ(TextEditorCommand(latin1), (std::vector<std::string>{bin.File("gedit"), latin1}));
    StartTextEditorDetached(latin1);
    EXPECT_EQ(Called(), latin1 + "|");
}

TEST_F(FakeEditor, NeverGetsANameItWouldTakeForAnOption) {
    StartTextEditorDetached("-x.tmp");
    EXPECT_EQ(Called(), "./-x.tmp|");
    StartTextEditorDetached("/daten/-x.tmp");
    EXPECT_EQ(Called(), "/daten/-x.tmp|") << "a path is no option";
    StartTextEditorDetached("Kunden.tmp");
    EXPECT_EQ(Called(), "Kunden.tmp|") << "a relative name stays relative";
}

TEST(EditorFileArgument, PutsDotSlashBeforeADashOnly) {
    EXPECT_EQ(EditorFileArgument("-x.tmp"), "./-x.tmp");
    EXPECT_EQ(EditorFileArgument("--help.tmp"), "./--help.tmp");
    EXPECT_EQ(EditorFileArgument("x-.tmp"), "x-.tmp");
    EXPECT_EQ(EditorFileArgument("/a/-x.tmp"), "/a/-x.tmp");
}

}  // namespace
}  // namespace tessaro

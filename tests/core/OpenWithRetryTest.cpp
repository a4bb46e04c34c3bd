#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <chrono>
#include <filesystem>

#include "builder/TableBuilder.h"
#include "support/CoreFixture.h"
#include "support/HeldFile.h"

namespace tessaro {
namespace {

using test::WriteFile;

// Holds a file as another program would.
using HeldLock = test::HeldFile;

class OpenWithRetryTest : public test::CoreFixture {};

TEST_F(OpenWithRetryTest, AnOpenThatWorksAsksNothingAndWaitsNot) {
    WriteFile(dir.File("t.dbf"), "x");
    EXPECT_EQ(OpenWithRetry(session.access, dir.File("t.dbf")), 1);
    EXPECT_EQ(waits, 0);
    EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(OpenWithRetryTest, AHeldFileIsTried501TimesThenTheUserIsAsked) {
    WriteFile(dir.File("t.dbf"), "x");
    HeldLock lock(dir.File("t.dbf"));
    EXPECT_EQ(OpenWithRetry(session.access, dir.File("t.dbf")), 0);
    EXPECT_EQ(waits, 500);
    EXPECT_EQ(waited, std::chrono::milliseconds(5000));
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text, "Zugriffskonflikt !");
    EXPECT_EQ(desktop.boxes[0].caption, "Morvane - Fehler");
    EXPECT_EQ(desktop.boxes[0].style, BoxButtons::RetryCancel | BoxIcon::Question);
    EXPECT_EQ(session.access.files.OpenCount(), 0);
}

TEST_F(OpenWithRetryTest, RetryStartsAnotherFullCycle) {
    WriteFile(dir.File("t.dbf"), "x");
    HeldLock lock(dir.File("t.dbf"));
    desktop.answers = {BoxAnswer::Retry, BoxAnswer::Cancel};
    EXPECT_EQ(OpenWithRetry(session.access, dir.File("t.dbf")), 0);
    EXPECT_EQ(waits, 1000);
    EXPECT_EQ(desktop.boxes.size(), 2u);
}

TEST_F(OpenWithRetryTest, RetryAfterTheOtherProgramLetGoOpensTheFile) {
    WriteFile(dir.File("t.dbf"), "x");
    HeldLock lock(dir.File("t.dbf"));
    desktop.answers = {BoxAnswer::Retry};
    onWait = [&](int count) {
        if (count == 500) {
            lock.Release();  // before the box: the next cycle's first attempt succeeds
        }
    };
    EXPECT_EQ(OpenWithRetry(session.access, dir.File("t.dbf")), 1);
    EXPECT_EQ(desktop.boxes.size(), 0u);
}

TEST_F(OpenWithRetryTest, AFileReleasedWithinTheRetriesOpensSilently) {
    WriteFile(dir.File("t.dbf"), "x");
    HeldLock lock(dir.File("t.dbf"));
    onWait = [&](int count) {
        if (count == 200) {  // two seconds of real waiting
            lock.Release();
        }
    };
    EXPECT_EQ(OpenWithRetry(session.access, dir.File("t.dbf")), 1);
    EXPECT_EQ(waits, 200);
    EXPECT_TRUE(desktop.boxes.empty());
}

// Boxes let the window's events through: a table dropped there replaces the caller's name.
// The open goes on with the name as it was when it began.
TEST_F(OpenWithRetryTest, TheNameIsKeptAsItWasWhenTheOpenBegan) {
    WriteFile(dir.File("a.dbf"), "x");
    HeldLock lock(dir.File("a.dbf"));
    std::string name = dir.File("a.dbf");
    desktop.answers = {BoxAnswer::Retry};
    desktop.onBox = [&](const test::ShownBox&) {
        name = dir.File("b.dbf");  // as long as before: written over in place
        lock.Release();
    };
    EXPECT_EQ(OpenWithRetry(session.access, name), 1);
    EXPECT_EQ(desktop.boxes.size(), 1u);
}

// A folder, a device or a FIFO does not become a file by waiting: no retries and no box,
// and the caller hears why.
TEST_F(OpenWithRetryTest, WhatIsNoFileFailsAtOnceAndSaysSo) {
    std::vector<std::string> names = {dir.Path()};
#ifdef _WIN32
    names.push_back("NUL");
#else
    ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);
    names.push_back(dir.File("fifo"));
    names.push_back("/dev/null");
#endif
    for (const std::string& name : names) {
        ErrorNumber why = kNoError;
        EXPECT_EQ(OpenWithRetry(session.access, name, &why), 0) << name;
        EXPECT_EQ(why, kErrNotAFile) << name;
    }
    EXPECT_EQ(waits, 0);
    EXPECT_TRUE(desktop.boxes.empty());
    WriteFile(dir.File("kunden.dbf"), "x");
    ErrorNumber why = kErrNotAFile;
    EXPECT_EQ(OpenWithRetry(session.access, dir.File("kunden.dbf"), &why), 1);
    EXPECT_EQ(why, kNoError);
}

TEST_F(OpenWithRetryTest, AnEmptyNameEndsInTheBadNameBoxAfterTheRetries) {
    EXPECT_EQ(OpenWithRetry(session.access, ""), 0);
    EXPECT_EQ(waits, 500);
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text, "Ungültiger Dateiname !\r\nMorvane wird beendet");
    EXPECT_EQ(desktop.boxes[0].style, BoxButtons::Ok | BoxIcon::Stop);
}

TEST_F(OpenWithRetryTest, AMissingTableIsReportedAndNotCreated) {
    EXPECT_EQ(OpenWithRetry(session.access, dir.File("kunden.dbf")), 0);
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text, "Datei nicht gefunden !\r\nMorvane wird beendet");
    EXPECT_FALSE(std::filesystem::exists(dir.File("kunden.dbf")));
}

TEST_F(OpenWithRetryTest, AMissingFolderOffersRetry) {
    EXPECT_EQ(OpenWithRetry(session.access, dir.File("nix/kunden.dbf")), 0);
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text, "Pfad nicht vorhanden !");
    EXPECT_EQ(desktop.boxes[0].style, BoxButtons::RetryCancel | BoxIcon::Question);
}

TEST_F(OpenWithRetryTest, TheTextFileIsCreatedWhenMissing) {
    EXPECT_EQ(OpenAppendWithRetry(session.access, dir.File("kunden.tmp")), 1);
    EXPECT_TRUE(std::filesystem::exists(dir.File("kunden.tmp")));
    EXPECT_EQ(waits, 0);
}

TEST_F(OpenWithRetryTest, AReadOnlyTextFileOffersRetry) {
#ifndef _WIN32
    if (::geteuid() == 0) {
        GTEST_SKIP() << "the superuser may write any file";
    }
#endif
    WriteFile(dir.File("kunden.tmp"), "");
    std::filesystem::permissions(dir.File("kunden.tmp"), std::filesystem::perms::owner_read);
    EXPECT_EQ(OpenAppendWithRetry(session.access, dir.File("kunden.tmp")), 0);
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text, "Verzeichnis kann nicht gelöscht oder umbenannt werden !");
}

// Real timing: five seconds of attempts before the user hears of the held file.
TEST_F(OpenWithRetryTest, SlowRealRetriesTakeFiveSeconds) {
    session.access.retry.sleep = nullptr;
    WriteFile(dir.File("t.dbf"), "x");
    HeldLock lock(dir.File("t.dbf"));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(OpenWithRetry(session.access, dir.File("t.dbf")), 0);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(5000));
    EXPECT_EQ(desktop.boxes.size(), 1u);
}

}  // namespace
}  // namespace tessaro

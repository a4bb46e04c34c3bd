#pragma once

#include <gtest/gtest.h>

#include "support/FakeDesktop.h"
#include "support/TempDir.h"
#include "table/Session.h"

namespace tessaro::test {

// A session on a fake desktop whose retries don't wait but are counted.
class CoreFixture : public ::testing::Test {
protected:
    CoreFixture() : session(desktop) {
        session.access.retry.sleep = [this](std::chrono::milliseconds delay) {
            ++waits;
            waited += delay;
            if (onWait) {
                onWait(waits);
            }
        };
    }

    FakeDesktop desktop;
    Session session;
    TempDir dir;
    int waits = 0;
    std::chrono::milliseconds waited{0};
    std::function<void(int)> onWait;
};

}  // namespace tessaro::test

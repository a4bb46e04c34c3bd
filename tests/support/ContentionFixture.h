#pragma once

#include <string>
#include <vector>

#include "builder/TableBuilder.h"
#include "support/CoreFixture.h"
#include "table/FillRecordCells.h"
#include "table/ReadTableHeader.h"
#include "table/RecordCells.h"

namespace tessaro::test {

// A table with a memo that another program is to hold while the viewer reads it: the
// setting of the lock contention tests, on every system.
class ContentionFixture : public CoreFixture {
protected:
    ContentionFixture() {
        TableBuilder()
            .Field("NAME", 'C', 8)
            .Field("NOTIZ", 'M', 10)
            .Record({"Meier", "         1"})
            .Record({"Schulz", ""})
            .WriteTo(tablePath());
        MemoBuilder(512).Memo(1, "Notiz zu Meier").WriteTo(memoPath());
    }
    std::string tablePath() const { return dir.File("KUNDEN.DBF"); }
    std::string memoPath() const { return dir.File("KUNDEN.dbt"); }
    std::string textPath() const { return dir.File("KUNDEN.tmp"); }

    // Loads the table as the viewer does; -1 when the header was refused.
    int Load() {
        session.tableInfo.FileName = tablePath();
        if (ReadTableHeader(session, tablePath(), nullptr) == 0) {
            return -1;
        }
        return cells.Load(session);
    }

    std::vector<std::string> BoxTexts() const {
        std::vector<std::string> texts;
        for (const ShownBox& box : desktop.boxes) {
            texts.push_back(box.text);
        }
        return texts;
    }

    RecordCells cells;
};

}  // namespace tessaro::test

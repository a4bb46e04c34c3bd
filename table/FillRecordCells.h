#pragma once

#include <cstdint>

#include "table/RecordList.h"
#include "table/Session.h"

namespace tessaro {

// Reads every value of every record of the session's table and writes its text into the
// record list, marking the rows of records with a memo. Returns 1 when done, 0 when the
// table could not be opened (after the retry box); then no cell has been touched. Given a
// range, only the rows from `firstRow` on, `rowCount` of them, are read.
std::int16_t FillRecordCells(Session& session, RecordList& list, std::int32_t firstRow = 0,
                             std::int32_t rowCount = -1);

// The box a load shows when FillRecordCells could not open the table.
void ShowLockedWhileReading(Session& session, WindowHandle owner);

}  // namespace tessaro

#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "table/RecordList.h"
#include "table/Session.h"

namespace tessaro {

// The memo reference of a row: the first value cell that begins with "Block", when it
// begins with "Block: ". None for a row that does not exist (-1, or beyond the last).
std::optional<std::string> FindMemoReference(const CellTexts* list, std::int32_t row,
                                             int columnCount);

// Copies the memo of the record in row `currentRow` into the text file beside the table and
// starts the text editor on it, after asking the user. Does nothing, silently, for a table
// without memo fields or a row without a memo reference; a missing memo file is said.
void ShowMemoField(Session& session, WindowHandle owner, const CellTexts* list,
                   std::int32_t currentRow);

}  // namespace tessaro

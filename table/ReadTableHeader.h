#pragma once

#include <cstdint>
#include <string>

#include "table/Session.h"

namespace tessaro {

// Opens the table `fileName`, checks its header and fills the session's TableInfo (all but
// FileName) and FieldTable. Returns 1 when the table can be shown, 0 when not; the reason
// has then been shown in a box owned by `owner` (except after a read error). The file is
// closed again before the function returns.
std::int16_t ReadTableHeader(Session& session, const std::string& fileName, WindowHandle owner);

// What the user hears of a file that holds no table, as of one too short for a header: also
// of a folder or a device, which ReadTableHeader reports so at once.
void ShowNoTable(Session& session, WindowHandle owner);

}  // namespace tessaro

// The header reader on any bytes: it must accept or refuse with a box, never crash, and
// leave no file open.

#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "table/ReadTableHeader.h"

using namespace tessaro;
using namespace tessaro::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string table = WorkFile("t.dbf");
    WriteWholeFile(table, std::string_view(reinterpret_cast<const char*>(data), size));

    QuietSession quiet;
    Session& session = quiet.session;
    session.tableInfo.FileName = table;
    const std::int16_t accepted = ReadTableHeader(session, table, nullptr);
    Require(session.access.files.OpenCount() == 0, "the table is closed again");

    const TableInfo& info = session.tableInfo;
    if (accepted == 0) {
        Require(quiet.desktop.boxes >= 1, "a refused table says why");
        return 0;
    }
    Require(info.HeaderLength != 0 && info.RecordLength != 0, "zero lengths are refused");
    Require(info.RecordCount <= kMaxRecords, "more than 65536 records are refused");
    Require(info.FieldCount >= 0 && info.FieldCount <= kMaxFields, "at most 128 fields are shown");
    Require(info.FieldCount == std::min<std::int32_t>(info.DescriptorCount, kMaxFields),
            "the fields shown are the first descriptors");
    Require(info.MemoFieldCount <= info.FieldCount, "memo fields are counted among those shown");
    Require(info.FieldLengthSum >= 0 &&
                info.FieldLengthSum <= 65535 * std::int64_t{info.DescriptorCount},
            "field lengths are bytes");
    for (int f = 1; f <= info.FieldCount; ++f) {
        Require(session.fieldTable[f].FieldName.size() <= 32, "names hold at most 32 bytes");
    }
    Require((info.DescriptorCount > kMaxFields) == (quiet.desktop.boxes == 1),
            "only a cut field list is reported for an accepted table");
    return 0;
}

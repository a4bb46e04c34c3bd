#include "ReadTableHeader.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "table/DbfFormat.h"
#include "table/TextConversion.h"

namespace tessaro {

namespace {

// The header bytes as the format's readers take them.
std::string_view Bytes(const std::vector<unsigned char>& header, std::size_t at, std::size_t size) {
    return std::string_view(reinterpret_cast<const char*>(header.data()) + at, size);
}

void ShowLocked(Session& session, const std::string& fileName, WindowHandle owner) {
    session.Desktop().ShowMessageBox(owner,
                                     "Die Datei " + ShownFileName(fileName) + "\r\nist gesperrt.",
                                     "Tessaro Programminfo", BoxButtons::Ok | BoxIcon::Stop);
}

void ShowInvalidHeader(Session& session, const std::string& findings, WindowHandle owner) {
    session.Desktop().ShowMessageBox(owner, "Dateikopf enthält folgende Fehler : \r" + findings,
                                     "Tessaro - Lesefehler", BoxButtons::Ok | BoxIcon::Exclamation);
}

void ShowTooManyRecords(Session& session, std::int32_t recordCount, WindowHandle owner) {
    session.Desktop().ShowMessageBox(owner,
                                     "Datei enthält: " + std::to_string(recordCount) +
                                         " Records.\rViewer kann maximal 65536 Records anzeigen",
                                     "Tessaro - Lesefehler", BoxButtons::Ok | BoxIcon::Stop);
}

void ShowFieldsCut(Session& session, std::int32_t descriptorCount, WindowHandle owner) {
    session.Desktop().ShowMessageBox(owner,
                                     "Die Tabelle hat " + std::to_string(descriptorCount) +
                                         " Felder.\rAngezeigt werden nur die ersten " +
                                         std::to_string(kMaxFields) + " Felder.",
                                     "Tessaro Programminfo", BoxButtons::Ok | BoxIcon::Information);
}

struct FieldSize {
    std::int32_t length;
    std::int16_t decimals;
};

// A character field has no decimals: Clipper, FoxPro and Harbour keep the high byte of a
// length beyond 255 there. dBASE writes 0, so its fields stay as they are.
FieldSize SizeOf(char type, unsigned char lengthByte, unsigned char decimalsByte) {
    if (type == 'C' && decimalsByte != 0) {
        return {lengthByte + 256 * std::int32_t{decimalsByte}, 0};
    }
    return {lengthByte, static_cast<std::int16_t>(decimalsByte)};
}

// Reads the first `count` bytes of the file; fewer at its end.
ErrorNumber ReadFromStart(FileTable& files, FileNumber file, std::size_t count,
                          std::vector<unsigned char>& bytes) {
    bytes.resize(count);
    ErrorNumber error = files.SetPosition(file, 1);
    if (error != kNoError) {
        return error;
    }
    const ReadResult got = files.ReadBytes(file, reinterpret_cast<char*>(bytes.data()), count);
    bytes.resize(got.count);
    return got.error;
}

// Fills the fields from the descriptors. The walk ends at the terminator, at a descriptor
// that does not lie wholly inside the header, or at the end of the bytes there are: a
// table written without a terminator must not have its records taken for fields.
void WalkDescriptors(const std::vector<unsigned char>& header, const dbf::DescriptorLayout& layout,
                     TableInfo& info, FieldTable& fields) {
    std::int32_t count = 0;
    std::int64_t lengthSum = 0;
    for (std::size_t p = layout.first; p < header.size() && header[p] != dbf::kDescriptorTerminator;
         p += layout.size) {
        if (p + layout.size > header.size()) {
            break;
        }
        const unsigned char* descriptor = header.data() + p;
        const char type = static_cast<char>(descriptor[layout.nameWidth]);
        const FieldSize size =
            SizeOf(type, descriptor[layout.lengthAt], descriptor[layout.decimalsAt]);
        const std::int32_t fieldLength = size.length;
        ++count;
        lengthSum += fieldLength;
        if (count > kMaxFields) {
            continue;  // not shown, but its bytes still make up each record
        }
        FieldDesc& field = fields[count];
        const char* name = reinterpret_cast<const char*>(descriptor);
        field.FieldName.assign(name, strnlen(name, layout.nameWidth));
        field.FieldType = type;
        if (field.FieldType == 'M') {
            ++info.MemoFieldCount;
        }
        field.FieldLength = fieldLength;
        field.FieldDecimals = size.decimals;
        field.Flags = layout.first == dbf::kLevel5Descriptor.first ? descriptor[dbf::kLevel5FlagsAt]
                                                                   : std::uint8_t{0};
    }
    info.FieldCount = static_cast<std::int16_t>(std::min(count, kMaxFields));
    info.DescriptorCount = count;
    info.FieldLengthSum = lengthSum;
}

}  // namespace

std::string_view TableFormatName(const TableInfo& info) {
    if (dbf::IsVisualFoxProVersion(info.Version)) {
        return "Visual FoxPro";
    }
    if (dbf::IsFoxProMemoVersion(info.Version)) {
        return "FoxPro";
    }
    return info.IsLevel5 != 0 ? "DBase 5" : "DBase 7";
}

void ShowNoTable(Session& session, WindowHandle owner) {
    ShowInvalidHeader(session, "Ungültiger Header", owner);
}

std::int16_t ReadTableHeader(Session& session, const std::string& fileName, WindowHandle owner) {
    TableInfo& info = session.tableInfo;
    FileTable& files = session.access.files;
    info.IsLevel5 = 1;
    info.MemoFieldCount = 0;

    ErrorNumber whyNot = kNoError;
    const FileNumber file = OpenWithRetry(session.access, fileName, &whyNot);
    if (file == 0) {
        if (whyNot == kErrNotAFile) {
            ShowNoTable(session, owner);
        } else {
            ShowLocked(session, fileName, owner);
        }
        return 0;
    }

    std::vector<unsigned char> header;
    if (ReadFromStart(files, file, dbf::kFixedHeaderSize, header) != kNoError) {
        files.Close(file);
        return 0;
    }
    const bool fixedPartComplete = header.size() == dbf::kFixedHeaderSize;
    info.Version = header.empty() ? 0 : header[dbf::kVersionAt];
    if (!header.empty() && dbf::IsLevel7Version(info.Version)) {
        info.IsLevel5 = 0;
    }
    info.RecordCount = header.size() >= dbf::kRecordCountAt + 4
                           ? static_cast<std::int32_t>(
                                 dbf::ReadLittleEndian(Bytes(header, dbf::kRecordCountAt, 4)))
                           : 0;
    info.HeaderLength = header.size() >= dbf::kHeaderLengthAt + 2
                            ? static_cast<std::int16_t>(
                                  dbf::ReadLittleEndian(Bytes(header, dbf::kHeaderLengthAt, 2)))
                            : 0;
    info.RecordLength = fixedPartComplete ? static_cast<std::int16_t>(dbf::ReadLittleEndian(
                                                Bytes(header, dbf::kRecordLengthAt, 2)))
                                          : 0;

    // The whole header as it declares itself; a file that ends before it has no header.
    bool headerComplete = false;
    if (fixedPartComplete && info.HeaderLength != 0) {
        if (ReadFromStart(files, file, info.HeaderBytes(), header) != kNoError) {
            files.Close(file);
            return 0;
        }
        headerComplete = header.size() == info.HeaderBytes();
    }
    if (!headerComplete || info.RecordLength == 0) {
        std::string findings;
        if (!headerComplete) {
            findings = "Ungültiger Header";
        }
        if (fixedPartComplete && info.RecordLength == 0) {
            findings += " - Ungültige Feldanzahl";
        }
        ShowInvalidHeader(session, findings, owner);
        files.Close(file);
        return 0;
    }
    if (info.RecordCount > kMaxRecords) {
        ShowTooManyRecords(session, info.RecordCount, owner);
        files.Close(file);
        return 0;
    }

    files.Close(file);
    info.LanguageDriver =
        header.size() > dbf::kLanguageDriverAt ? header[dbf::kLanguageDriverAt] : std::uint8_t{0};
    WalkDescriptors(header, info.IsLevel5 != 0 ? dbf::kLevel5Descriptor : dbf::kLevel7Descriptor,
                    info, session.fieldTable);
    session.columns = LayoutOf(info, session.fieldTable);
    if (info.DescriptorCount > kMaxFields) {
        ShowFieldsCut(session, info.DescriptorCount, owner);
    }
    return 1;
}

}  // namespace tessaro

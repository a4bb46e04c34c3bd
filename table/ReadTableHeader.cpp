#include "ReadTableHeader.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace tessaro {

namespace {

constexpr unsigned char kTerminator = 0x0D;
constexpr std::size_t kFixedHeaderSize = 12;  // version, 3 unused, count, two lengths

struct DescriptorLayout {
    std::size_t first;       // offset of the first descriptor
    std::size_t size;        // bytes per descriptor
    std::size_t nameWidth;   // the type letter follows the name
    std::size_t lengthAt;    // offset of the length byte in a descriptor
    std::size_t decimalsAt;  // offset of the decimal count
};

constexpr DescriptorLayout kLevel5Layout{32, 32, 11, 16, 17};
constexpr DescriptorLayout kLevel7Layout{68, 48, 32, 33, 34};

std::int32_t Int32At(const unsigned char* p) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) |
                                     static_cast<std::uint32_t>(p[1]) << 8 |
                                     static_cast<std::uint32_t>(p[2]) << 16 |
                                     static_cast<std::uint32_t>(p[3]) << 24);
}

std::int16_t Int16At(const unsigned char* p) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | p[1] << 8));
}

void ShowLocked(Session& session, const std::string& fileName, WindowHandle owner) {
    session.Desktop().ShowMessageBox(owner, "Die Datei " + fileName + "\r\nist gesperrt.",
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
void WalkDescriptors(const std::vector<unsigned char>& header, const DescriptorLayout& layout,
                     TableInfo& info, FieldTable& fields) {
    std::int32_t count = 0;
    std::int64_t lengthSum = 0;
    for (std::size_t p = layout.first; p < header.size() && header[p] != kTerminator;
         p += layout.size) {
        if (p + layout.size > header.size()) {
            break;
        }
        const unsigned char* descriptor = header.data() + p;
        const auto fieldLength = static_cast<std::int16_t>(descriptor[layout.lengthAt]);
        ++count;
        lengthSum += fieldLength;
        if (count > kMaxFields) {
            continue;  // not shown, but its bytes still make up each record
        }
        FieldDesc& field = fields[count];
        const char* name = reinterpret_cast<const char*>(descriptor);
        field.FieldName.assign(name, strnlen(name, layout.nameWidth));
        field.FieldType = static_cast<char>(descriptor[layout.nameWidth]);
        if (field.FieldType == 'M') {
            ++info.MemoFieldCount;
        }
        field.FieldLength = fieldLength;
        field.FieldDecimals = static_cast<std::int16_t>(descriptor[layout.decimalsAt]);
    }
    info.FieldCount = static_cast<std::int16_t>(std::min(count, kMaxFields));
    info.DescriptorCount = count;
    info.FieldLengthSum = lengthSum;
}

}  // namespace

std::int16_t ReadTableHeader(Session& session, const std::string& fileName, WindowHandle owner) {
    TableInfo& info = session.tableInfo;
    FileTable& files = session.access.files;
    info.IsLevel5 = 1;
    info.MemoFieldCount = 0;

    const FileNumber file = OpenWithRetry(session.access, fileName);
    if (file == 0) {
        ShowLocked(session, fileName, owner);
        return 0;
    }

    std::vector<unsigned char> header;
    if (ReadFromStart(files, file, kFixedHeaderSize, header) != kNoError) {
        files.Close(file);
        return 0;
    }
    const bool fixedPartComplete = header.size() == kFixedHeaderSize;
    if (!header.empty() && (header[0] == 0x04 || header[0] == 0x8C)) {
        info.IsLevel5 = 0;
    }
    info.RecordCount = header.size() >= 8 ? Int32At(&header[4]) : 0;
    info.HeaderLength = header.size() >= 10 ? Int16At(&header[8]) : 0;
    info.RecordLength = fixedPartComplete ? Int16At(&header[10]) : 0;

    if (!fixedPartComplete || info.HeaderLength == 0 || info.RecordLength == 0) {
        std::string findings;
        if (!fixedPartComplete || info.HeaderLength == 0) {
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

    if (ReadFromStart(files, file, info.HeaderBytes(), header) != kNoError) {
        files.Close(file);
        return 0;
    }
    files.Close(file);
    WalkDescriptors(header, info.IsLevel5 != 0 ? kLevel5Layout : kLevel7Layout, info,
                    session.fieldTable);
    if (info.DescriptorCount > kMaxFields) {
        ShowFieldsCut(session, info.DescriptorCount, owner);
    }
    return 1;
}

}  // namespace tessaro

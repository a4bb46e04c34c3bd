#include "MemoFile.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <vector>

#include "fileio/FileSystem.h"
#include "table/DbfFormat.h"

namespace tessaro {

namespace {

using dbf::kBlockHeaderSize;
constexpr std::size_t kCopyPiece = 64 * 1024;
constexpr std::size_t kBlockNumberAt = 7;  // behind "Block: "

std::string ReadAt(FileTable& files, FileNumber file, std::int64_t offset, std::size_t count) {
    files.SetPosition(file, offset + 1);
    return files.ReadString(file, count);
}

// Where the block of the cell begins, or none when no block can be meant.
std::optional<std::int64_t> BlockOffset(FileTable& files, FileNumber memoFile,
                                        std::string_view cellText, MemoStyle style) {
    const std::string header = ReadAt(files, memoFile, 0, dbf::kMemoHeaderSize);
    if (header.size() < dbf::kBlockLengthAt + 2) {
        return std::nullopt;
    }
    // dBASE III leaves the block length unused (0, or whatever was there): its blocks are
    // 512 bytes.
    const auto blockLength = style == MemoStyle::Dbase3
                                 ? static_cast<std::int16_t>(dbf::kDbase3BlockLength)
                                 : static_cast<std::int16_t>(dbf::ReadLittleEndian(
                                       std::string_view(header).substr(dbf::kBlockLengthAt, 2)));
    const std::optional<std::int64_t> block = MemoBlockNumber(cellText);
    if (!block || blockLength < 0) {
        return std::nullopt;
    }
    // An offset beyond what a file can hold names no block either.
    if (blockLength > 0 && *block > (std::numeric_limits<std::int64_t>::max() - 1) / blockLength) {
        return std::nullopt;
    }
    return *block * blockLength;
}

}  // namespace

std::string FileStem(const std::string& fileName) {
    const std::size_t nameStart = FileNameStart(fileName);
    const std::size_t dot = fileName.find_last_of('.');
    if (dot == std::string::npos || dot < nameStart) {
        return fileName;
    }
    return fileName.substr(0, dot);
}

MemoFileNames MemoFileNamesFor(const std::string& tableFileName, MemoStyle style) {
    const std::string stem = FileStem(tableFileName);
    MemoFileNames names{stem + (style == MemoStyle::FoxPro ? ".fpt" : ".dbt"), stem + ".tmp"};
    // The name as it stands in the folder, on every system alike: the messages name the
    // file the user sees there.
    if (std::optional<std::string> found = FindNameIgnoringCase(names.memo)) {
        names.memo = *found;
    }
    return names;
}

std::optional<std::int64_t> MemoBlockNumber(std::string_view cellText) {
    std::string_view number =
        cellText.size() > kBlockNumberAt ? cellText.substr(kBlockNumberAt) : "";
    number.remove_prefix(std::min(number.find_first_not_of(' '), number.size()));
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc()) {
        value = 0;  // no number at all
    }
    // Whole block numbers only, and small enough that every offset stays exact.
    if (!(value >= 0 && value < 9.0e15) || std::floor(value) != value) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(value);
}

namespace {

// Hands over the next `count` bytes of the memo file, fewer when it ends first.
void CopyBytes(FileTable& files, FileNumber memoFile, std::int64_t count, MemoWriter& writer) {
    std::vector<char> piece(kCopyPiece);
    while (count > 0) {
        const auto want = static_cast<std::size_t>(std::min<std::int64_t>(count, kCopyPiece));
        const ReadResult got = files.ReadBytes(memoFile, piece.data(), want);
        if (got.count == 0) {
            break;  // the memo file ends inside the text
        }
        writer.Write(std::string_view(piece.data(), got.count));
        count -= static_cast<std::int64_t>(got.count);
    }
}

// A FoxPro memo: a block of the size in the header, its type and length big-endian. A block
// inside the header (block 0, block size 0) holds no memo.
bool CopyFoxProMemo(FileTable& files, FileNumber memoFile, std::string_view cellText,
                    MemoWriter& writer) {
    const std::string header = ReadAt(files, memoFile, 0, dbf::kFoxProMemoHeaderSize);
    const std::optional<std::int64_t> block = MemoBlockNumber(cellText);
    if (header.size() < dbf::kFoxProMemoHeaderSize || !block) {
        return false;
    }
    const auto blockSize = static_cast<std::int64_t>(
        dbf::ReadBigEndian(std::string_view(header).substr(dbf::kFoxProBlockSizeAt, 2)));
    // A block beyond what any file can hold has no head either.
    if (blockSize > 0 && *block > std::numeric_limits<std::int64_t>::max() / blockSize) {
        return false;
    }
    const std::int64_t offset = *block * blockSize;
    if (offset < static_cast<std::int64_t>(dbf::kFoxProMemoHeaderSize)) {
        return false;
    }
    const std::string blockHeader = ReadAt(files, memoFile, offset, dbf::kFoxProBlockHeaderSize);
    if (blockHeader.size() < dbf::kFoxProBlockHeaderSize) {
        return false;
    }
    const auto length = static_cast<std::int64_t>(
        dbf::ReadBigEndian(std::string_view(blockHeader).substr(dbf::kFoxProMemoLengthAt, 4)));
    const auto type = dbf::ReadBigEndian(std::string_view(blockHeader).substr(0, 4));
    writer.Begin(type == dbf::kFoxProTextBlock);
    CopyBytes(files, memoFile, length, writer);
    return true;
}

// A dBASE III memo has no block header: its text runs from the block's start to the first
// 0x1A, or to the end of the file.
void CopyDbase3Text(FileTable& files, FileNumber memoFile, std::int64_t offset,
                    MemoWriter& writer) {
    files.SetPosition(memoFile, offset + 1);
    std::vector<char> piece(kCopyPiece);
    for (;;) {
        const ReadResult got = files.ReadBytes(memoFile, piece.data(), piece.size());
        const std::string_view bytes(piece.data(), got.count);
        const std::size_t end = bytes.find(dbf::kDbase3MemoEnd);
        if (!bytes.empty()) {
            writer.Write(bytes.substr(0, end));
        }
        if (end != std::string_view::npos || got.count < piece.size()) {
            break;
        }
    }
}

}  // namespace

MemoStyle MemoStyleOf(std::uint8_t tableVersion) {
    if (dbf::IsFoxProMemoVersion(tableVersion)) {
        return MemoStyle::FoxPro;
    }
    return dbf::IsDbase3MemoVersion(tableVersion) ? MemoStyle::Dbase3 : MemoStyle::Dbase4;
}

std::int64_t MinimumMemoFileSize(MemoStyle style) {
    return static_cast<std::int64_t>(style == MemoStyle::FoxPro ? dbf::kFoxProMemoHeaderSize
                                                                : dbf::kMemoHeaderSize);
}

bool CopyMemoText(FileTable& files, FileNumber memoFile, std::string_view cellText,
                  MemoWriter& writer, MemoStyle style) {
    if (style == MemoStyle::FoxPro) {
        return CopyFoxProMemo(files, memoFile, cellText, writer);
    }
    const std::optional<std::int64_t> offset = BlockOffset(files, memoFile, cellText, style);
    if (!offset) {
        return false;
    }
    const std::string blockHeader = ReadAt(files, memoFile, *offset, kBlockHeaderSize);
    const bool hasSignature =
        blockHeader.size() >= kBlockHeaderSize && blockHeader.starts_with(dbf::kBlockSignature);
    if (!hasSignature && style == MemoStyle::Dbase3) {
        writer.Begin(true);
        CopyDbase3Text(files, memoFile, *offset, writer);
        return true;
    }
    if (!hasSignature) {
        return false;
    }
    // The stored length counts the 8 bytes of the block header too.
    const auto storedLength = static_cast<std::int32_t>(
        dbf::ReadLittleEndian(std::string_view(blockHeader).substr(dbf::kMemoLengthAt, 4)));
    writer.Begin(true);
    CopyBytes(files, memoFile, std::int64_t{storedLength} - std::int64_t{kBlockHeaderSize}, writer);
    return true;
}

}  // namespace tessaro

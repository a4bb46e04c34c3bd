#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "fileio/FileTable.h"

namespace tessaro {

// How a table's memos are kept. dBASE IV and later begin each memo with FF FF 08 00 and its
// length; dBASE III (version byte 0x83) writes memo blocks without a header; FoxPro keeps its
// memos in a file of its own kind (.fpt), each with its type and length, big-endian.
enum class MemoStyle { Dbase4, Dbase3, FoxPro };
MemoStyle MemoStyleOf(std::uint8_t tableVersion);

// A memo file shorter than its header holds no memo.
std::int64_t MinimumMemoFileSize(MemoStyle style);

// The companion files of a table: the memo file (read; .dbt, or .fpt for FoxPro) and the text
// file the memo is copied to. Both are the table's name with another extension on its last
// component; a memo file written in another case ("KUNDEN.DBT" for "KUNDEN.dbt") is found as
// Windows would find it, and named as it is written there.
struct MemoFileNames {
    std::string memo;
    std::string text;
};
MemoFileNames MemoFileNamesFor(const std::string& tableFileName,
                               MemoStyle style = MemoStyle::Dbase4);

// The table's name without the extension of its last component.
std::string FileStem(const std::string& fileName);

// The block number in a memo cell ("Block: 17"): the number from the cell's 7th character
// on, leading blanks skipped; a text that is no number gives 0. None when it is not a whole
// number of blocks.
std::optional<std::int64_t> MemoBlockNumber(std::string_view cellText);

// Where the memo that CopyMemoText finds goes.
class MemoWriter {
public:
    virtual ~MemoWriter() = default;
    // A memo block was found: text, or (in a FoxPro memo file) a picture or an object.
    virtual void Begin(bool text) = 0;
    // The memo's bytes as stored, piece by piece.
    virtual void Write(std::string_view bytes) = 0;
};

// Copies the memo of the block named in `cellText` out of the open memo file. A block
// without the signature FF FF 08 00 holds none, but for a dBASE III memo: its text up to the
// first 0x1A. A FoxPro block holds the bytes its length names, and its type says whether it
// is text; none when it begins inside the header or the file cuts its head short. Returns
// true when a memo block was found.
bool CopyMemoText(FileTable& files, FileNumber memoFile, std::string_view cellText,
                  MemoWriter& writer, MemoStyle style = MemoStyle::Dbase4);

}  // namespace tessaro

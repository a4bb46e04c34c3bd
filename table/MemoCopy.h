#pragma once

#include <string>
#include <string_view>

#include "table/MemoFile.h"
#include "table/Session.h"

namespace tessaro {

// Where a memo copied out of the memo file goes: the viewer's text file, or the standard
// output of tessaro-dump. The copy calls the steps in this order; a step that returns false
// has told the user why, and the copy stops.
class MemoSink {
public:
    virtual ~MemoSink() = default;

    // Before the memo file is opened.
    virtual bool Prepare() { return true; }
    // With the memo file open.
    virtual bool Open(FileNumber /*memoFile*/) { return true; }
    virtual void Write(std::string_view bytes) = 0;
    // After the last byte; the memo file is closed after it.
    virtual void Close() {}
};

enum class MemoCopyResult {
    NoMemoFile,      // missing or shorter than its header: nothing to read, nothing said
    MemoFileLocked,  // the memo file could not be opened; the user has been told
    Stopped,         // the sink stopped the copy
    Copied,          // the memo, or nothing for a block without a memo, went to the sink
};

// The memo steps that the viewer and tessaro-dump share: the memo file beside the table,
// opened with the retries, the block named by `reference` ("Block: 17") copied to the sink,
// CR LF behind it, the files closed again. A text memo goes as UTF-8, from the code page of
// the session's table, and begins as a text file of the system begins (Utf8TextFileStart);
// a FoxPro picture or object goes as it is stored.
MemoCopyResult CopyMemoOut(Session& session, WindowHandle owner, std::string_view reference,
                           MemoSink& sink);

// The box shown when the memo file cannot be opened.
void ShowMemoFileLocked(Session& session, WindowHandle owner, const std::string& memoFileName);

// What is said when the memo file is missing or shorter than its header.
std::string MissingMemoFileText(const std::string& memoFileName, MemoStyle style);

}  // namespace tessaro

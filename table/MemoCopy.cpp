#include "MemoCopy.h"

#include "fileio/FileSystem.h"
#include "table/MemoFile.h"
#include "table/TextConversion.h"

namespace tessaro {

MemoCopyResult CopyMemoOut(Session& session, WindowHandle owner, std::string_view reference,
                           MemoSink& sink) {
    const MemoStyle style = MemoStyleOf(session.tableInfo.Version);
    const std::string memoName = MemoFileNamesFor(session.tableInfo.FileName, style).memo;
    if (FindFileSize(memoName) < MinimumMemoFileSize(style)) {
        return MemoCopyResult::NoMemoFile;
    }
    if (!sink.Prepare()) {
        return MemoCopyResult::Stopped;
    }
    FileTable& files = session.access.files;
    const FileNumber memoFile = OpenWithRetry(session.access, memoName);
    if (memoFile == 0) {
        ShowMemoFileLocked(session, owner, memoName);
        return MemoCopyResult::MemoFileLocked;
    }
    if (!sink.Open(memoFile)) {
        files.Close(memoFile);
        return MemoCopyResult::Stopped;
    }
    CopyMemoText(
        files, memoFile, reference, [&sink](std::string_view bytes) { sink.Write(bytes); }, style);
    sink.Close();
    files.Close(memoFile);
    return MemoCopyResult::Copied;
}

void ShowMemoFileLocked(Session& session, WindowHandle owner, const std::string& memoFileName) {
    session.Desktop().ShowMessageBox(
        owner, "Memodatei " + ShownFileName(memoFileName) + "\rkann nicht geöffnet werden",
        "Zugriffskonflikt", BoxButtons::Ok | BoxIcon::Question);
}

std::string MissingMemoFileText(const std::string& memoFileName, MemoStyle style) {
    return "Die Memodatei " + ShownFileName(memoFileName) + " fehlt oder ist kürzer als " +
           std::to_string(MinimumMemoFileSize(style)) + " Bytes.";
}

}  // namespace tessaro

#include "ShowMemoField.h"

#include "fileio/FileSystem.h"
#include "table/MemoFile.h"

namespace tessaro {

namespace {

constexpr const char* kAccessConflict = "Zugriffskonflikt";

bool AskToCopy(Session& session, WindowHandle owner) {
    return session.Desktop().ShowMessageBox(owner, "In Datei kopieren und anzeigen ?", "Memofeld",
                                        BoxButtons::YesNo | BoxIcon::Question) == BoxAnswer::Yes;
}

// The text file must never be the table or its memo file: a table named "daten.tmp" would
// be deleted and overwritten by its own memo.
bool IsTableOrMemoFile(const std::string& textFileName, const std::string& tableFileName,
                       const std::string& memoFileName) {
    return SameFile(textFileName, tableFileName) || SameFile(textFileName, memoFileName);
}

void ShowTextFileIsTable(Session& session, WindowHandle owner, const std::string& textFileName) {
    session.Desktop().ShowMessageBox(owner,
                                     "Das Memofeld kann nicht neben dieser Tabelle angezeigt "
                                     "werden:\r" + textFileName +
                                         " ist die Tabelle selbst oder ihre Memodatei.",
                                     "Memofeld", BoxButtons::Ok | BoxIcon::Stop);
}

void ShowTextFileNotCreated(Session& session, WindowHandle owner, const std::string& textFileName) {
    session.Desktop().ShowMessageBox(owner, "Memodatei " + textFileName + "\rkann nicht erstellt werden",
                                 kAccessConflict, BoxButtons::Ok | BoxIcon::Question);
}

}  // namespace

std::optional<std::string> FindMemoReference(const RecordList* list, std::int32_t row,
                                             int fieldCount) {
    if (list == nullptr || row < 0 || row >= list->RowCount()) {
        return std::nullopt;
    }
    for (int column = 1; column <= fieldCount; ++column) {
        const std::string_view text = list->CellText(row, column);
        if (text.starts_with("Block")) {
            if (!text.starts_with("Block: ")) {
                return std::nullopt;
            }
            return std::string(text);
        }
    }
    return std::nullopt;
}

void ShowMemoFileLocked(Session& session, WindowHandle owner, const std::string& memoFileName) {
    session.Desktop().ShowMessageBox(owner, "Memodatei " + memoFileName + "\rkann nicht geöffnet werden",
                                 kAccessConflict, BoxButtons::Ok | BoxIcon::Question);
}

void ShowMemoField(Session& session, WindowHandle owner, const RecordList* list,
                   std::int32_t currentRow) {
    const TableInfo& info = session.tableInfo;
    if (info.MemoFieldCount == 0) {
        return;
    }
    const std::optional<std::string> reference = FindMemoReference(list, currentRow, info.FieldCount);
    if (!reference || !AskToCopy(session, owner)) {
        return;
    }
    const MemoFileNames names = MemoFileNamesFor(info.FileName);
    if (FindFileSize(names.memo) < kMinimumMemoFileSize) {
        return;
    }
    if (IsTableOrMemoFile(names.text, info.FileName, names.memo)) {
        ShowTextFileIsTable(session, owner, names.text);
        return;
    }
    if (FileExists(names.text)) {
        RemoveFile(names.text);
    }
    FileTable& files = session.access.files;
    const FileNumber memoFile = OpenWithRetry(session.access, names.memo);
    if (memoFile == 0) {
        ShowMemoFileLocked(session, owner, names.memo);
        return;
    }
    const FileNumber textFile = OpenAppendWithRetry(session.access, names.text, memoFile);
    if (textFile == 0) {
        files.Close(memoFile);
        ShowTextFileNotCreated(session, owner, names.text);
        return;
    }
    CopyMemoText(files, memoFile, *reference,
                 [&](std::string_view bytes) { files.WriteText(textFile, bytes); });
    files.Close(textFile);
    files.Close(memoFile);
    if (FileExists(names.text)) {
        session.Desktop().StartTextEditor(names.text);
    }
}

}  // namespace tessaro

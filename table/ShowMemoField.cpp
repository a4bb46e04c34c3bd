#include "ShowMemoField.h"

#include "fileio/FileSystem.h"
#include "table/MemoFile.h"

namespace tessaro {

namespace {

constexpr const char* kAccessConflict = "Zugriffskonflikt";

bool AskToCopy(Session& session, WindowHandle owner) {
    return session.Desktop().MessageBox(owner, "In Datei kopieren und anzeigen ?", "Memofeld",
                                        MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void ShowTextFileNotCreated(Session& session, WindowHandle owner, const std::string& textFileName) {
    session.Desktop().MessageBox(owner, "Memodatei " + textFileName + "\rkann nicht erstellt werden",
                                 kAccessConflict, MB_OK | MB_ICONQUESTION);
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
    session.Desktop().MessageBox(owner, "Memodatei " + memoFileName + "\rkann nicht geöffnet werden",
                                 kAccessConflict, MB_OK | MB_ICONQUESTION);
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
    if (FileExists(names.text)) {
        DeleteFile(names.text);
    }
    FileTable& files = session.access.files;
    const FileNumber memoFile = OpenWithRetry(session.access, names.memo);
    if (memoFile == 0) {
        ShowMemoFileLocked(session, owner, names.memo);
        return;
    }
    const FileNumber textFile = OpenAppendWithRetry(session.access, names.text);
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

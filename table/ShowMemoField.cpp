#include "ShowMemoField.h"

#include "fileio/FileSystem.h"
#include "table/MemoCopy.h"
#include "table/MemoFile.h"
#include "table/TextConversion.h"

namespace tessaro {

namespace {

bool AskToCopy(Session& session, WindowHandle owner) {
    return session.Desktop().ShowMessageBox(owner, "In Datei kopieren und anzeigen ?", "Memofeld",
                                            BoxButtons::YesNo | BoxIcon::Question) ==
           BoxAnswer::Yes;
}

// The memo goes into a new text file beside the table, which replaces the old one.
class TextFileSink final : public MemoSink {
public:
    TextFileSink(Session& session, WindowHandle owner, std::string textName)
        : session_(session), owner_(owner), textName_(std::move(textName)) {}

    bool Prepare() override {
        // The text file must never be the table or its memo file: a table named
        // "daten.tmp" would be deleted and overwritten by its own memo.
        const TableInfo& info = session_.tableInfo;
        if (SameFile(textName_, info.FileName) ||
            SameFile(textName_, MemoFileNamesFor(info.FileName, MemoStyleOf(info.Version)).memo)) {
            session_.Desktop().ShowMessageBox(
                owner_,
                "Das Memofeld kann nicht neben dieser Tabelle angezeigt werden:\r" +
                    ShownFileName(textName_) + " ist die Tabelle selbst oder ihre Memodatei.",
                "Memofeld", BoxButtons::Ok | BoxIcon::Stop);
            return false;
        }
        // Hidden and system files count here too. A file that cannot be deleted now is
        // tried again, and reported, when the new one is created.
        RemoveFile(textName_);
        return true;
    }

    bool Open(FileNumber memoFile) override {
        textFile_ = OpenAppendReplacingWithRetry(session_.access, textName_, memoFile);
        if (textFile_ == 0) {
            session_.Desktop().ShowMessageBox(
                owner_, "Memodatei " + ShownFileName(textName_) + "\rkann nicht erstellt werden",
                "Zugriffskonflikt", BoxButtons::Ok | BoxIcon::Question);
            return false;
        }
        return true;
    }

    void Write(std::string_view bytes) override {
        session_.access.files.WriteText(textFile_, bytes);
    }

    void Close() override { session_.access.files.Close(textFile_); }

private:
    Session& session_;
    WindowHandle owner_;
    std::string textName_;
    FileNumber textFile_ = 0;
};

}  // namespace

std::optional<std::string> FindMemoReference(const CellTexts* list, std::int32_t row,
                                             int columnCount) {
    if (list == nullptr || row < 0 || row >= list->RowCount()) {
        return std::nullopt;
    }
    for (int column = 1; column <= columnCount; ++column) {
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

void ShowMemoField(Session& session, WindowHandle owner, const CellTexts* list,
                   std::int32_t currentRow) {
    const TableInfo& info = session.tableInfo;
    if (info.MemoFieldCount == 0) {
        return;
    }
    const std::optional<std::string> reference =
        FindMemoReference(list, currentRow, session.columns.ColumnCount());
    if (!reference || !AskToCopy(session, owner)) {
        return;
    }
    const std::string textName = MemoFileNamesFor(info.FileName).text;
    TextFileSink textFile(session, owner, textName);
    switch (CopyMemoOut(session, owner, *reference, textFile)) {
        case MemoCopyResult::NoMemoFile: {
            // Said, so that "Ja" never ends in nothing at all; no text file is made.
            const MemoStyle style = MemoStyleOf(info.Version);
            session.Desktop().ShowMessageBox(
                owner, MissingMemoFileText(MemoFileNamesFor(info.FileName, style).memo, style),
                "Memofeld", BoxButtons::Ok | BoxIcon::Information);
            break;
        }
        case MemoCopyResult::Copied:
            if (FileExists(textName)) {
                session.Desktop().StartTextEditor(textName);
            }
            break;
        case MemoCopyResult::MemoFileLocked:
        case MemoCopyResult::Stopped: break;
    }
}

}  // namespace tessaro

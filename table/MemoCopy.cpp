#include "MemoCopy.h"

#include <optional>

#include "fileio/FileSystem.h"
#include "table/MemoFile.h"
#include "table/TextConversion.h"

namespace tessaro {

namespace {

// Hands the memo to the sink: a text in UTF-8, anything else as it is.
class ConvertingWriter final : public MemoWriter {
public:
    ConvertingWriter(MemoSink& sink, const CharacterDecoder& decoder)
        : sink_(sink), decoder_(decoder) {}

    void Begin(bool text) override {
        if (text) {
            text_.emplace(decoder_);
        }
    }
    void Write(std::string_view bytes) override {
        if (!text_) {
            sink_.Write(bytes);
            return;
        }
        utf8_.clear();
        text_->Feed(bytes, utf8_);
        Put(utf8_);
    }
    // After the last piece; a found memo ends with CR LF.
    void End(bool found) {
        if (text_) {
            utf8_.clear();
            text_->Finish(utf8_);
            Put(utf8_);
        }
        if (found) {
            Put("\r\n");
        }
    }

private:
    void Put(std::string_view bytes) {
        if (bytes.empty()) {
            return;
        }
        if (text_ && !started_) {
            sink_.Write(Utf8TextFileStart());
        }
        started_ = true;
        sink_.Write(bytes);
    }

    MemoSink& sink_;
    const CharacterDecoder& decoder_;
    std::optional<MemoTextDecoder> text_;
    std::string utf8_;
    bool started_ = false;
};

}  // namespace

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
    ConvertingWriter writer(sink, session.columns.text);
    writer.End(CopyMemoText(files, memoFile, reference, writer, style));
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

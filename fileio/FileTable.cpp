#include "FileTable.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace tessaro {

namespace {

// Big enough that reading a table record by record costs a system call per few thousand
// records, small enough to be no burden when several files are open.
constexpr std::size_t kReadBufferSize = 256 * 1024;

// A name the open refuses before asking the system: empty or with a wildcard.
bool IsBadName(std::string_view name) {
    return name.empty() || name.find_first_of("*?") != std::string_view::npos ||
           name.find('\0') != std::string_view::npos;
}

}  // namespace

struct FileTable::Entry {
    os::Handle handle = os::kNoHandle;
    OpenMode mode = OpenMode::Binary;
    std::int64_t offset = 0;  // of the next read or write, from 0
    std::vector<char> buffer;
    std::int64_t bufferStart = 0;
    std::size_t bufferFill = 0;
};

FileTable::FileTable() = default;

FileTable::~FileTable() { CloseAll(); }

FileTable::Entry* FileTable::Find(FileNumber file) const {
    if (file < 1 || static_cast<std::size_t>(file) > entries_.size()) {
        return nullptr;
    }
    return entries_[static_cast<std::size_t>(file) - 1].get();
}

OpenAttempt FileTable::TryOpen(std::string_view name, OpenMode mode, FileNumber permissionsOf) {
    std::size_t slot = 0;
    while (slot < entries_.size() && entries_[slot]) {
        ++slot;
    }
    if (slot >= static_cast<std::size_t>(std::numeric_limits<FileNumber>::max())) {
        return {0, kErrTooManyFiles};
    }
    if (IsBadName(name)) {
        return {0, kErrBadFileName};
    }
    const os::Access access =
        mode == OpenMode::Binary ? os::Access::ReadBinary : os::Access::CreateText;
    const Entry* model = Find(permissionsOf);
    const os::OpenResult opened = os::OpenExclusive(
        std::string(name), access, model != nullptr ? model->handle : os::kNoHandle);
    if (opened.handle == os::kNoHandle) {
        if (opened.win32Error == os::kNotAFile) {
            return {0, kErrNotAFile};
        }
        const ErrorNumber error = ClassifyWin32Error(opened.win32Error);
        return {0, error != kNoError ? error : kErrBadFileName};
    }
    auto entry = std::make_unique<Entry>();
    entry->handle = opened.handle;
    entry->mode = mode;
    if (mode == OpenMode::Append) {
        entry->offset = std::max<std::int64_t>(0, os::FileSize(opened.handle));
    }
    if (slot == entries_.size()) {
        entries_.push_back(std::move(entry));
    } else {
        entries_[slot] = std::move(entry);
    }
    return {static_cast<FileNumber>(slot + 1), kNoError};
}

ErrorNumber FileTable::SetPosition(FileNumber file, std::int64_t position) {
    Entry* entry = Find(file);
    if (entry == nullptr) {
        return kErrFileNotOpen;
    }
    if (position < 1) {
        return kErrBadPosition;
    }
    entry->offset = position - 1;
    return kNoError;
}

os::IoResult FileTable::ReadFromSystem(Entry& entry, std::int64_t offset, char* buffer,
                                       std::size_t count) {
    const os::IoResult got = os::ReadAt(entry.handle, offset, buffer, count);
    bytesFromSystem_ += static_cast<std::int64_t>(got.count);
    return got;
}

ReadResult FileTable::ReadBytes(FileNumber file, char* buffer, std::size_t count,
                                Buffering buffering) {
    Entry* entry = Find(file);
    if (entry == nullptr) {
        return {0, kErrFileNotOpen};
    }
    if (entry->mode != OpenMode::Binary) {
        return {0, kErrWrongFileMode};
    }
    ReadResult result;
    while (result.count < count) {
        const std::int64_t want = entry->offset;
        const bool inBuffer =
            want >= entry->bufferStart &&
            want < entry->bufferStart + static_cast<std::int64_t>(entry->bufferFill);
        if (inBuffer) {
            const std::size_t from = static_cast<std::size_t>(want - entry->bufferStart);
            const std::size_t take = std::min(count - result.count, entry->bufferFill - from);
            std::memcpy(buffer + result.count, entry->buffer.data() + from, take);
            result.count += take;
            entry->offset += static_cast<std::int64_t>(take);
            continue;
        }
        const std::size_t rest = count - result.count;
        if (rest >= kReadBufferSize || buffering == Buffering::Unbuffered) {
            // A large read goes straight to the caller's memory.
            const os::IoResult got = ReadFromSystem(*entry, want, buffer + result.count, rest);
            result.count += got.count;
            entry->offset += static_cast<std::int64_t>(got.count);
            result.error = ClassifyWin32Error(got.win32Error);
            break;
        }
        entry->buffer.resize(kReadBufferSize);
        const os::IoResult got =
            ReadFromSystem(*entry, want, entry->buffer.data(), entry->buffer.size());
        entry->bufferStart = want;
        entry->bufferFill = got.count;
        if (got.count == 0) {
            result.error = ClassifyWin32Error(got.win32Error);
            break;
        }
    }
    if (result.error != kNoError && readError_ == kNoError) {
        readError_ = result.error;
    }
    return result;
}

ErrorNumber FileTable::TakeReadError() {
    const ErrorNumber error = readError_;
    readError_ = kNoError;
    return error;
}

std::int64_t FileTable::Size(FileNumber file) const {
    const Entry* entry = Find(file);
    return entry != nullptr ? os::FileSize(entry->handle) : -1;
}

std::string FileTable::ReadString(FileNumber file, std::size_t count, ErrorNumber* error) {
    std::string bytes(count, '\0');
    const ReadResult got = ReadBytes(file, bytes.data(), count);
    bytes.resize(got.count);
    if (error != nullptr) {
        *error = got.error;
    }
    return bytes;
}

ErrorNumber FileTable::WriteText(FileNumber file, std::string_view bytes) {
    Entry* entry = Find(file);
    if (entry == nullptr) {
        return kErrFileNotOpen;
    }
    if (entry->mode != OpenMode::Append) {
        return kErrWrongFileMode;
    }
    const os::IoResult put = os::Write(entry->handle, bytes.data(), bytes.size());
    entry->offset += static_cast<std::int64_t>(put.count);
    if (put.count == bytes.size()) {
        return kNoError;
    }
    return os::IsDiskFile(entry->handle) ? kErrDiskFull : kErrDeviceIo;
}

ErrorNumber FileTable::WriteLineEnd(FileNumber file) { return WriteText(file, "\r\n"); }

void FileTable::Close(FileNumber file) {
    if (Find(file) == nullptr) {
        return;
    }
    auto& slot = entries_[static_cast<std::size_t>(file) - 1];
    os::Close(slot->handle);
    slot.reset();
}

void FileTable::CloseAll() {
    for (auto& slot : entries_) {
        if (slot) {
            os::Close(slot->handle);
            slot.reset();
        }
    }
}

int FileTable::OpenCount() const {
    return static_cast<int>(std::count_if(entries_.begin(), entries_.end(),
                                          [](const auto& e) { return e != nullptr; }));
}

}  // namespace tessaro

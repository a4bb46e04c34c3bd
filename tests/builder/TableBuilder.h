#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tessaro::test {

// Builds the bytes of a dBASE table, well-formed unless told otherwise, so that a damaged
// case is a few lines.
class TableBuilder {
public:
    explicit TableBuilder(std::uint8_t version = 0x03);

    // `flags` is the descriptor's flags byte of Visual FoxPro (level 5 layout only). A C
    // field's decimals are the high byte of its length, as Clipper and FoxPro write them.
    TableBuilder& Field(const std::string& name, char type, std::uint8_t length,
                        std::uint8_t decimals = 0, std::uint8_t flags = 0);
    // Values are padded with blanks (or cut) to their field's length.
    TableBuilder& Record(const std::vector<std::string>& values, bool deleted = false);
    // The bytes of a record after its deletion flag, as they are.
    TableBuilder& RawRecord(const std::string& values, bool deleted = false);

    // Overrides of what the header would say by itself.
    TableBuilder& RecordCount(std::int32_t count);
    TableBuilder& HeaderLength(std::uint16_t length);
    TableBuilder& RecordLength(std::uint16_t length);
    TableBuilder& WithoutTerminator();
    TableBuilder& WithoutEndMarker();
    // The date of the last update in the header (2024-12-07 unless told otherwise) and,
    // for level 7, the name of the language driver.
    TableBuilder& LastUpdate(int year, int month, int day);
    TableBuilder& LanguageDriver(const std::string& name);
    // The language driver byte at offset 29 (0 unless told otherwise).
    TableBuilder& LanguageDriverByte(std::uint8_t driver);

    bool IsLevel7() const;
    std::size_t FirstDescriptor() const { return IsLevel7() ? 68 : 32; }
    std::size_t DescriptorSize() const { return IsLevel7() ? 48 : 32; }
    std::uint16_t NaturalHeaderLength() const;

    // The header alone: for a table whose records are written as they are made.
    std::string HeaderBytes() const;
    std::string Bytes() const;
    void WriteTo(const std::string& path) const;

private:
    struct PlannedField {
        std::string name;
        char type;
        std::uint8_t length;
        std::uint8_t decimals;
        std::uint8_t flags;

        std::size_t Width() const {
            return type == 'C' ? length + 256u * decimals : std::size_t{length};
        }
    };

    std::uint8_t version_;
    std::vector<PlannedField> fields_;
    std::vector<std::string> records_;  // with their deletion flag
    std::optional<std::int32_t> recordCount_;
    std::optional<std::uint16_t> headerLength_;
    std::optional<std::uint16_t> recordLength_;
    bool terminator_ = true;
    bool endMarker_ = true;
    std::uint8_t lastUpdate_[3] = {124, 12, 7};
    std::string languageDriver_;
    std::uint8_t languageDriverByte_ = 0;
};

// Builds the bytes of a memo file: a 32-byte header with the block length at offset 20 and
// blocks that begin with FF FF 08 00 and a length that counts the 8 header bytes.
class MemoBuilder {
public:
    explicit MemoBuilder(std::uint16_t blockLength = 512);

    // A memo at block n; `storedLength` overrides the length written in its header.
    MemoBuilder& Memo(std::uint32_t block, const std::string& text,
                      std::optional<std::int32_t> storedLength = std::nullopt);
    // Any bytes at any offset.
    MemoBuilder& Raw(std::size_t offset, const std::string& bytes);

    std::string Bytes() const { return bytes_; }
    void WriteTo(const std::string& path) const;

private:
    void Put(std::size_t offset, const std::string& bytes);

    std::uint16_t blockLength_;
    std::string bytes_;
};

// Builds the bytes of a FoxPro memo file (.fpt): a 512-byte header with the block size,
// big-endian, at offset 6, and blocks that begin with their type and length, big-endian.
class FoxProMemoBuilder {
public:
    explicit FoxProMemoBuilder(std::uint16_t blockSize = 64);

    // A memo at block n (type 1, text); `storedLength` overrides the length in its head.
    FoxProMemoBuilder& Memo(std::uint32_t block, const std::string& text,
                            std::optional<std::uint32_t> storedLength = std::nullopt,
                            std::uint32_t type = 1);

    std::string Bytes() const { return bytes_; }
    void WriteTo(const std::string& path) const;

private:
    std::uint16_t blockSize_;
    std::string bytes_;
};

// A level 5 table of customers with a memo field: record k is named "Kunde k", and record
// 2 refers to memo block 1.
TableBuilder CustomerTable(int records);

// Little-endian and big-endian byte strings for hand-made values.
std::string LittleEndian32(std::uint32_t value);
std::string BigEndian32(std::uint32_t value);
std::string Bytes(std::initializer_list<unsigned> values);

// A UTF-8 name as a path of the system and back, so that names beyond ASCII work on every
// system.
std::filesystem::path PathOf(const std::string& utf8);
std::string Utf8Of(const std::filesystem::path& path);

void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);

// A memo's text as the text file or tessaro-dump give it, without the byte order mark that
// begins a text file on Windows (one test looks at the mark itself).
std::string WithoutUtf8Mark(std::string text);
inline std::string ReadMemoText(const std::string& path) { return WithoutUtf8Mark(ReadFile(path)); }

}  // namespace tessaro::test

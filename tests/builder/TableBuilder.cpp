#include "TableBuilder.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace tessaro::test {

namespace {

void PutLittleEndian(std::string& bytes, std::size_t offset, std::uint32_t value, int width) {
    for (int i = 0; i < width; ++i) {
        bytes[offset + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i) & 0xFF);
    }
}

}  // namespace

TableBuilder::TableBuilder(std::uint8_t version) : version_(version) {}

TableBuilder& TableBuilder::Field(const std::string& name, char type, std::uint8_t length,
                                  std::uint8_t decimals, std::uint8_t flags) {
    fields_.push_back({name, type, length, decimals, flags});
    return *this;
}

TableBuilder& TableBuilder::Record(const std::vector<std::string>& values, bool deleted) {
    std::string record;
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        std::string value = i < values.size() ? values[i] : std::string();
        value.resize(fields_[i].Width(), ' ');
        record += value;
    }
    return RawRecord(record, deleted);
}

TableBuilder& TableBuilder::RawRecord(const std::string& values, bool deleted) {
    records_.push_back((deleted ? "*" : " ") + values);
    return *this;
}

TableBuilder& TableBuilder::RecordCount(std::int32_t count) {
    recordCount_ = count;
    return *this;
}

TableBuilder& TableBuilder::HeaderLength(std::uint16_t length) {
    headerLength_ = length;
    return *this;
}

TableBuilder& TableBuilder::RecordLength(std::uint16_t length) {
    recordLength_ = length;
    return *this;
}

TableBuilder& TableBuilder::WithoutTerminator() {
    terminator_ = false;
    return *this;
}

TableBuilder& TableBuilder::WithoutEndMarker() {
    endMarker_ = false;
    return *this;
}

TableBuilder& TableBuilder::LastUpdate(int year, int month, int day) {
    lastUpdate_[0] = static_cast<std::uint8_t>(year - 1900);
    lastUpdate_[1] = static_cast<std::uint8_t>(month);
    lastUpdate_[2] = static_cast<std::uint8_t>(day);
    return *this;
}

TableBuilder& TableBuilder::LanguageDriver(const std::string& name) {
    languageDriver_ = name;
    return *this;
}

TableBuilder& TableBuilder::LanguageDriverByte(std::uint8_t driver) {
    languageDriverByte_ = driver;
    return *this;
}

bool TableBuilder::IsLevel7() const { return version_ == 0x04 || version_ == 0x8C; }

std::uint16_t TableBuilder::NaturalHeaderLength() const {
    return static_cast<std::uint16_t>(FirstDescriptor() + fields_.size() * DescriptorSize() +
                                      (terminator_ ? 1 : 0));
}

std::string TableBuilder::HeaderBytes() const {
    const std::size_t headerSize = NaturalHeaderLength();
    std::string bytes(headerSize, '\0');
    bytes[0] = static_cast<char>(version_);
    bytes[1] = static_cast<char>(lastUpdate_[0]);
    bytes[2] = static_cast<char>(lastUpdate_[1]);
    bytes[3] = static_cast<char>(lastUpdate_[2]);
    bytes[29] = static_cast<char>(languageDriverByte_);
    if (IsLevel7() && !languageDriver_.empty()) {
        bytes.replace(32, std::min<std::size_t>(languageDriver_.size(), 32), languageDriver_, 0,
                      32);
    }
    std::uint32_t recordLength = 1;
    for (const PlannedField& field : fields_) {
        recordLength += static_cast<std::uint32_t>(field.Width());
    }
    PutLittleEndian(bytes, 4,
                    static_cast<std::uint32_t>(
                        recordCount_.value_or(static_cast<std::int32_t>(records_.size()))),
                    4);
    PutLittleEndian(bytes, 8, headerLength_.value_or(NaturalHeaderLength()), 2);
    PutLittleEndian(bytes, 10, recordLength_.value_or(static_cast<std::uint16_t>(recordLength)), 2);
    const std::size_t nameWidth = IsLevel7() ? 32 : 11;
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        const std::size_t at = FirstDescriptor() + i * DescriptorSize();
        const PlannedField& field = fields_[i];
        bytes.replace(at, std::min(field.name.size(), nameWidth), field.name, 0, nameWidth);
        bytes[at + nameWidth] = field.type;
        bytes[at + (IsLevel7() ? 33 : 16)] = static_cast<char>(field.length);
        bytes[at + (IsLevel7() ? 34 : 17)] = static_cast<char>(field.decimals);
        if (!IsLevel7()) {
            bytes[at + 18] = static_cast<char>(field.flags);
        }
    }
    if (terminator_) {
        bytes[headerSize - 1] = 0x0D;
    }
    return bytes;
}

std::string TableBuilder::Bytes() const {
    std::string bytes = HeaderBytes();
    for (const std::string& record : records_) {
        bytes += record;
    }
    if (endMarker_) {
        bytes += '\x1A';
    }
    return bytes;
}

void TableBuilder::WriteTo(const std::string& path) const { WriteFile(path, Bytes()); }

MemoBuilder::MemoBuilder(std::uint16_t blockLength) : blockLength_(blockLength), bytes_(32, '\0') {
    PutLittleEndian(bytes_, 0, 1, 4);  // next free block, as dBASE writes it
    PutLittleEndian(bytes_, 20, blockLength, 2);
}

void MemoBuilder::Put(std::size_t offset, const std::string& bytes) {
    if (bytes_.size() < offset + bytes.size()) {
        bytes_.resize(offset + bytes.size(), '\0');
    }
    bytes_.replace(offset, bytes.size(), bytes);
}

MemoBuilder& MemoBuilder::Memo(std::uint32_t block, const std::string& text,
                               std::optional<std::int32_t> storedLength) {
    const auto length = storedLength.value_or(static_cast<std::int32_t>(text.size() + 8));
    Put(static_cast<std::size_t>(block) * blockLength_,
        test::Bytes({0xFF, 0xFF, 0x08, 0x00}) + LittleEndian32(static_cast<std::uint32_t>(length)) +
            text);
    return *this;
}

MemoBuilder& MemoBuilder::Raw(std::size_t offset, const std::string& bytes) {
    Put(offset, bytes);
    return *this;
}

void MemoBuilder::WriteTo(const std::string& path) const { WriteFile(path, bytes_); }

FoxProMemoBuilder::FoxProMemoBuilder(std::uint16_t blockSize)
    : blockSize_(blockSize), bytes_(512, '\0') {
    bytes_.replace(6, 2, BigEndian32(blockSize).substr(2));
}

FoxProMemoBuilder& FoxProMemoBuilder::Memo(std::uint32_t block, const std::string& text,
                                           std::optional<std::uint32_t> storedLength,
                                           std::uint32_t type) {
    const std::string memo =
        BigEndian32(type) +
        BigEndian32(storedLength.value_or(static_cast<std::uint32_t>(text.size()))) + text;
    const std::size_t at = static_cast<std::size_t>(block) * blockSize_;
    if (bytes_.size() < at + memo.size()) {
        bytes_.resize(at + memo.size(), '\0');
    }
    bytes_.replace(at, memo.size(), memo);
    return *this;
}

void FoxProMemoBuilder::WriteTo(const std::string& path) const { WriteFile(path, bytes_); }

TableBuilder CustomerTable(int records) {
    TableBuilder table;
    table.Field("NAME", 'C', 10).Field("NOTIZ", 'M', 10);
    for (int i = 1; i <= records; ++i) {
        table.Record({"Kunde " + std::to_string(i), i == 2 ? "         1" : ""});
    }
    return table;
}

std::string LittleEndian32(std::uint32_t value) {
    std::string bytes(4, '\0');
    PutLittleEndian(bytes, 0, value, 4);
    return bytes;
}

std::string BigEndian32(std::uint32_t value) {
    return Bytes({value >> 24 & 0xFF, value >> 16 & 0xFF, value >> 8 & 0xFF, value & 0xFF});
}

std::string Bytes(std::initializer_list<unsigned> values) {
    std::string bytes;
    for (const unsigned v : values) {
        bytes += static_cast<char>(v);
    }
    return bytes;
}

std::filesystem::path PathOf(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8Of(const std::filesystem::path& path) {
    const std::u8string utf8 = path.u8string();
    return std::string(utf8.begin(), utf8.end());
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(PathOf(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(PathOf(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string WithoutUtf8Mark(std::string text) {
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.erase(0, 3);
    }
    return text;
}

}  // namespace tessaro::test

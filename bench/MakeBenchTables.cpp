// tessaro-make-bench-tables: writes the three tables the benchmark loads, the same bytes on
// every run and every machine, so that timings of different builds compare.
//
//   level5.dbf  65536 records, 20 fields of C, N, D and L, about 210 bytes a record, with
//               DOS umlauts in the texts: a customer table as dBASE 5 writes it
//   level7.dbf  65536 records with the binary level 7 types + I O @ beside C fields
//   wide.dbf    65536 records of 128 short fields: the most columns a list shows
//   utf8.dbf    65536 records of German, Cyrillic and Chinese text in UTF-8 that nothing
//               names: the code page is found by reading every value
//   gbk.dbf     65536 records of Chinese text in GBK (Windows-936), named by gbk.cpg
//
//   tessaro-make-bench-tables --huge OUTDIR writes only
//   huge.dbf    65536 records of 128 text fields of 250 characters, 2.1 GB: the largest
//               table there is with the most columns a list shows, record by record
//               through a small buffer, so that making it needs no memory of its size

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "builder/TableBuilder.h"

namespace {

constexpr std::uint32_t kRecords = 65536;

// splitmix64: tiny, fast and the same everywhere, unlike the distributions of <random>,
// whose results differ between standard libraries.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}

    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // 0 .. bound - 1 (the tiny bias of the modulo does not matter here).
    std::uint32_t Below(std::uint32_t bound) { return static_cast<std::uint32_t>(Next() % bound); }
    bool Chance(std::uint32_t percent) { return Below(100) < percent; }
    template <std::size_t N>
    const char* Pick(const char* const (&words)[N]) {
        return words[Below(N)];
    }

private:
    std::uint64_t state_;
};

// German-looking words with the letters of the DOS code page 850/437:
// \x8E Ä  \x99 Ö  \x9A Ü  \x84 ä  \x94 ö  \x81 ü  \xE1 ß
const char* const kSurnames[] = {
    "M\x81ller",
    "Schr\x94"
    "der",
    "M\x84"
    "dler",
    "Wei\xE1",
    "Gro\xE1mann",
    "Sch\x81tz",
    "B\x84"
    "cker",
    "K\x94hler",
    "J\x84ger",
    "Fu\xE1"
    "bach",
    "\x99"
    "zt\x81rk",
    "\x8E"
    "rger",
    "Schmidt",
    "Schneider",
    "Fischer",
    "Meyer",
    "Wagner",
    "Becker",
    "Hoffmann",
    "Sch\x84"
    "fer",
    "Koch",
    "Bauer",
    "Richter",
    "Klein",
    "Wolf",
    "Neumann",
    "Schwarz",
    "Zimmermann",
    "Kr\x81ger",
    "Hartmann",
};
const char* const kFirstNames[] = {
    "J\x81rgen",
    "G\x81nter",
    "J\x94rg",
    "Bj\x94rn",
    "S\x94ren",
    "J\x81rgen",
    "Anna",
    "Maria",
    "Ute",
    "Heinz",
    "Karl",
    "Gr\x84"
    "fin",
    "D\x94rte",
    "K\x84the",
    "Ren\x82",
    "Uwe",
    "Petra",
    "Sabine",
    "Thomas",
    "Michael",
    "Andrea",
    "Stefan",
    "\x8E"
    "nne",
    "\x9A"
    "lrike",
};
const char* const kStreets[] = {
    "Hauptstra\xE1"
    "e",
    "Schlo\xE1"
    "allee",
    "Br\x81"
    "ckenweg",
    "M\x81hlengasse",
    "Am Gr\x81nen Hang",
    "K\x94nigsplatz",
    "Bahnhofstra\xE1"
    "e",
    "Lindenweg",
    "Gartenstra\xE1"
    "e",
    "Am M\x81hlbach",
    "\x99lm\x81hlenweg",
    "Talstra\xE1"
    "e",
    "Goethestra\xE1"
    "e",
    "Schillerplatz",
    "\x9A"
    "berlinger Str.",
    "Kirchgasse",
};
const char* const kTowns[] = {
    "M\x81nchen",
    "K\x94ln",
    "D\x81sseldorf",
    "N\x81rnberg",
    "W\x81rzburg",
    "G\x94ttingen",
    "L\x81"
    "beck",
    "Osnabr\x81"
    "ck",
    "Saarbr\x81"
    "cken",
    "T\x81"
    "bingen",
    "F\x81rth",
    "\x8E"
    "schau",
    "Berlin",
    "Hamburg",
    "Bremen",
    "Leipzig",
    "Dresden",
    "Stuttgart",
};
const char* const kJobs[] = {
    "B\x84"
    "ckermeister",
    "Schl\x94sser",
    "K\x81"
    "chenhilfe",
    "Gesch\x84"
    "ftsf\x81hrer",
    "Kaufmann",
    "Ingenieurin",
    "B\x81rokraft",
    "Gro\xE1h\x84ndler",
    "\x8E"
    "rztin",
    "Schreiner",
    "Lehrerin",
    "Steuerberater",
};
const char* const kRemarks[] = {
    "",
    "",
    "",
    "Zahlt p\x81nktlich",
    "R\x81"
    "ckruf erw\x81nscht",
    "Gro\xE1kunde",
    "Mahnstufe 1",
    "Nur Barzahlung",
    "Adresse pr\x81"
    "fen",
    "Stammkunde",
};
const char* const kCountries[] = {"D", "D", "D", "D", "A", "CH", "NL", "DK"};
const char* const kCategories[] = {"A", "B", "C", "AA", "B", "C"};
const char* const kArticles[] = {
    "Schraubenschl\x81ssel",
    "Gl\x81hbirne 60W",
    "Dichtungsring",
    "Kugellager 6204",
    "Fl\x81gelmutter M8",
    "H\x84ngeschrank",
    "Stra\xE1"
    "enbesen",
    "Kabelbinder",
    "T\x81rschlo\xE1",
    "\x99lfilter",
    "Bohrmaschine",
    "L\x94tkolben",
};

struct Field {
    const char* name;
    char type;
    std::uint8_t length;
    std::uint8_t decimals;
};

// One record's bytes, built value by value.
class RecordBytes {
public:
    explicit RecordBytes(std::size_t length) : bytes_(length, ' ') {}

    void Begin() {
        std::memset(bytes_.data(), ' ', bytes_.size());
        at_ = 1;  // behind the deletion flag, which stays ' '
    }
    // Left-aligned, blank-padded, cut to the field.
    void Text(std::string_view text, std::size_t length) {
        std::memcpy(&bytes_[at_], text.data(), std::min(text.size(), length));
        at_ += length;
    }
    // Right-aligned with leading blanks, as dBASE writes numbers.
    void Number(double value, std::size_t length, int decimals) {
        char text[64];
        const int n =
            std::snprintf(text, sizeof text, "%*.*f", static_cast<int>(length), decimals, value);
        std::memcpy(&bytes_[at_],
                    text + (n > static_cast<int>(length) ? n - static_cast<int>(length) : 0),
                    length);
        at_ += length;
    }
    void Integer(std::int64_t value, std::size_t length) {
        char text[32];
        const int n = std::snprintf(text, sizeof text, "%*lld", static_cast<int>(length),
                                    static_cast<long long>(value));
        std::memcpy(&bytes_[at_],
                    text + (n > static_cast<int>(length) ? n - static_cast<int>(length) : 0),
                    length);
        at_ += length;
    }
    void Date(int year, int month, int day) {
        char text[16];
        std::snprintf(text, sizeof text, "%04d%02d%02d", year, month, day);
        Text(text, 8);
    }
    void Blank(std::size_t length) { at_ += length; }
    void Byte(char c) { bytes_[at_++] = c; }
    void BigEndian(std::uint64_t value, int width) {
        for (int i = width - 1; i >= 0; --i) {
            bytes_[at_++] = static_cast<char>(value >> (8 * i) & 0xFF);
        }
    }

    const std::string& Bytes() const { return bytes_; }

private:
    std::string bytes_;
    std::size_t at_ = 1;
};

// Writes through a large buffer: millions of small writes would time the C library. The
// bytes go to a file beside the table that takes its name only when complete, so that a
// run cut short (a full disk, Ctrl+C) never leaves a part of a table that looks current.
class TableFile {
public:
    explicit TableFile(const std::filesystem::path& path)
        : path_(path),
          partPath_(path.string() + ".part"),
          file_(std::fopen(partPath_.c_str(), "wb")) {
        if (file_ == nullptr) {
            std::perror(partPath_.c_str());
            std::exit(1);
        }
        buffer_.reserve(kFlushBytes + 4096);
    }
    ~TableFile() {
        Flush();
        if (std::fclose(file_) != 0) {
            Fail();
        }
        std::error_code error;
        std::filesystem::rename(partPath_, path_, error);
        if (error) {
            std::fprintf(stderr, "%s: %s\n", path_.c_str(), error.message().c_str());
            std::exit(1);
        }
    }
    void Put(std::string_view bytes) {
        buffer_.append(bytes);
        if (buffer_.size() >= kFlushBytes) {
            Flush();
        }
    }

private:
    void Flush() {
        if (std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) {
            Fail();
        }
        buffer_.clear();
    }
    [[noreturn]] void Fail() {
        std::perror(partPath_.c_str());
        std::remove(partPath_.c_str());
        std::exit(1);
    }

    static constexpr std::size_t kFlushBytes = 1 << 20;
    std::filesystem::path path_;
    std::filesystem::path partPath_;
    std::FILE* file_;
    std::string buffer_;
};

std::size_t RecordLength(const std::vector<Field>& fields) {
    std::size_t length = 1;  // the deletion flag
    for (const Field& field : fields) {
        length += field.length;
    }
    return length;
}

// The header of either level: the fixed part, one descriptor a field, the terminator.
// The date of last change is fixed, so that the bytes never depend on the day of the run.
std::string Header(std::uint8_t version, const std::vector<Field>& fields) {
    tessaro::test::TableBuilder table(version);
    table.LastUpdate(2024, 6, 1).RecordCount(kRecords);
    if (table.IsLevel7()) {
        table.LanguageDriver("DB850DE0");
    }
    for (const Field& field : fields) {
        table.Field(field.name, field.type, field.length, field.decimals);
    }
    return table.HeaderBytes();
}

struct Day {
    int year, month, day;
};

Day RandomDay(Random& random, int firstYear, int years) {
    return {firstYear + static_cast<int>(random.Below(static_cast<std::uint32_t>(years))),
            1 + static_cast<int>(random.Below(12)), 1 + static_cast<int>(random.Below(28))};
}

// Days from 1900-01-01 (proleptic Gregorian).
std::int64_t DaysSince1900(const Day& d) {
    const int y = d.month <= 2 ? d.year - 1 : d.year;
    const int era = y / 400;
    const int yearOfEra = y - era * 400;
    const int dayOfYear = (153 * (d.month + (d.month > 2 ? -3 : 9)) + 2) / 5 + d.day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    const std::int64_t sinceUnix = std::int64_t{era} * 146097 + dayOfEra - 719468;
    return sinceUnix + 25567;  // 1900-01-01 lies 25567 days before 1970-01-01
}

void WriteLevel5(const std::filesystem::path& path) {
    const std::vector<Field> fields = {
        {"KUNDENNR", 'N', 8, 0}, {"NAME", 'C', 20, 0},      {"VORNAME", 'C', 15, 0},
        {"STRASSE", 'C', 25, 0}, {"PLZ", 'C', 5, 0},        {"ORT", 'C', 20, 0},
        {"LAND", 'C', 3, 0},     {"TELEFON", 'C', 14, 0},   {"GEBURT", 'D', 8, 0},
        {"EINTRITT", 'D', 8, 0}, {"UMSATZ", 'N', 12, 2},    {"RABATT", 'N', 5, 2},
        {"MENGE", 'N', 6, 0},    {"AKTIV", 'L', 1, 0},      {"MAHNUNG", 'L', 1, 0},
        {"BERUF", 'C', 20, 0},   {"BEMERKUNG", 'C', 18, 0}, {"LETZTE", 'D', 8, 0},
        {"SALDO", 'N', 10, 2},   {"KATEGORIE", 'C', 2, 0},
    };
    Random random(0x7E55A805);
    TableFile file(path);
    file.Put(Header(0x03, fields));
    RecordBytes record(RecordLength(fields));
    char text[64];
    for (std::uint32_t n = 1; n <= kRecords; ++n) {
        record.Begin();
        record.Integer(100000 + n, 8);
        record.Text(random.Pick(kSurnames), 20);
        record.Text(random.Pick(kFirstNames), 15);
        std::snprintf(text, sizeof text, "%s %u", random.Pick(kStreets), 1 + random.Below(180));
        record.Text(text, 25);
        std::snprintf(text, sizeof text, "%05u", 1000 + random.Below(99000));
        record.Text(text, 5);
        record.Text(random.Pick(kTowns), 20);
        record.Text(random.Pick(kCountries), 3);
        if (random.Chance(90)) {
            std::snprintf(text, sizeof text, "0%u/%u", 30 + random.Below(9900),
                          100000 + random.Below(8999999));
            record.Text(text, 14);
        } else {
            record.Blank(14);
        }
        const Day birth = RandomDay(random, 1930, 75);
        record.Date(birth.year, birth.month, birth.day);
        if (random.Chance(95)) {
            const Day entry = RandomDay(random, 1985, 40);
            record.Date(entry.year, entry.month, entry.day);
        } else {
            record.Blank(8);  // no date
        }
        record.Number(static_cast<double>(random.Below(100000000)) / 100.0, 12, 2);
        record.Number(static_cast<double>(random.Below(3000)) / 100.0, 5, 2);
        record.Integer(random.Below(1000), 6);
        record.Byte(random.Chance(80) ? 'T' : 'F');
        record.Byte(random.Chance(10) ? 'T' : (random.Chance(97) ? 'F' : '?'));
        record.Text(random.Pick(kJobs), 20);
        record.Text(random.Pick(kRemarks), 18);
        const Day last = RandomDay(random, 2015, 10);
        record.Date(last.year, last.month, last.day);
        record.Number((static_cast<double>(random.Below(2000000)) - 1000000.0) / 100.0, 10, 2);
        record.Text(random.Pick(kCategories), 2);
        file.Put(record.Bytes());
    }
    file.Put("\x1A");
}

// The sortable encodings of level 7: integers with the sign bit flipped, doubles with the
// sign bit flipped (positive) or every bit inverted (negative), all big-endian.
std::uint64_t SortableInteger(std::int64_t value) {
    return static_cast<std::uint32_t>(static_cast<std::int64_t>(value) + 2147483648LL);
}

std::uint64_t SortableDouble(double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    return value >= 0 ? bits ^ (std::uint64_t{1} << 63) : ~bits;
}

// A timestamp: milliseconds since the first day of the calendar, stored as a double.
std::uint64_t Timestamp(const Day& day, std::uint32_t msOfDay) {
    constexpr double kMs1900 = 59926694400000.0;
    const double ms = kMs1900 + static_cast<double>(DaysSince1900(day)) * 86400000.0 + msOfDay;
    return std::bit_cast<std::uint64_t>(ms);
}

void WriteLevel7(const std::filesystem::path& path) {
    const std::vector<Field> fields = {
        {"LFDNR", '+', 4, 0},  {"ARTIKEL", 'C', 25, 0}, {"MENGE", 'I', 4, 0},
        {"PREIS", 'O', 8, 0},  {"ANGELEGT", '@', 8, 0}, {"GEAENDERT", '@', 8, 0},
        {"KUNDE", 'C', 30, 0}, {"ORT", 'C', 20, 0},     {"BESTAND", 'I', 4, 0},
        {"SUMME", 'O', 8, 0},
    };
    Random random(0x7E55A807);
    TableFile file(path);
    file.Put(Header(0x04, fields));
    RecordBytes record(RecordLength(fields));
    char text[64];
    for (std::uint32_t n = 1; n <= kRecords; ++n) {
        record.Begin();
        record.BigEndian(SortableInteger(n), 4);
        record.Text(random.Pick(kArticles), 25);
        const auto amount = static_cast<std::int64_t>(random.Below(2000)) - 200;
        record.BigEndian(SortableInteger(amount), 4);
        const double price = static_cast<double>(random.Below(1000000)) / 100.0;
        record.BigEndian(SortableDouble(price), 8);
        const Day created = RandomDay(random, 1995, 25);
        record.BigEndian(Timestamp(created, random.Below(86400000)), 8);
        if (random.Chance(70)) {
            const Day changed = RandomDay(random, 2020, 5);
            record.BigEndian(Timestamp(changed, random.Below(86400000)), 8);
        } else {
            record.BigEndian(0, 8);  // never changed: no value
        }
        std::snprintf(text, sizeof text, "%s, %s", random.Pick(kSurnames),
                      random.Pick(kFirstNames));
        record.Text(text, 30);
        record.Text(random.Pick(kTowns), 20);
        record.BigEndian(
            SortableInteger(static_cast<std::int64_t>(random.Below(2000000)) - 1000000), 4);
        record.BigEndian(SortableDouble(static_cast<double>(amount) * price), 8);
        file.Put(record.Bytes());
    }
    file.Put("\x1A");
}

// Names, towns and notes in UTF-8: German, Cyrillic and Chinese.
const char* const kUtf8Names[] = {"Müller",   "Groß",     "Иванов", "Петрова", "王芳",      "李娜",
                                  "Schröder", "Кузнецов", "张伟",   "Öztürk",  "Jihočeská", "刘洋"};
const char* const kUtf8Towns[] = {"München", "Köln",   "Москва",      "Санкт-Петербург", "北京市",
                                  "上海市",  "Zürich", "Новосибирск", "广州市",          "Brno"};
const char* const kUtf8Notes[] = {"Grüße aus dem Süden",      "Заказ получен",   "已付款，谢谢",
                                  "Rückruf erbeten",          "Доставка завтра", "请尽快发货",
                                  "Lieferung über Spedition", "Счёт отправлен"};

void WriteUtf8(const std::filesystem::path& path) {
    const std::vector<Field> fields = {{"NAME", 'C', 40, 0},     {"ORT", 'C', 40, 0},
                                       {"NOTIZ", 'C', 60, 0},    {"BETRAG", 'N', 10, 2},
                                       {"DATUM", 'D', 8, 0},     {"KUNDENNR", 'N', 8, 0},
                                       {"ANMERKUNG", 'C', 60, 0}};
    Random random(0x7E55A8008);
    TableFile file(path);
    file.Put(Header(0x03, fields));
    RecordBytes record(RecordLength(fields));
    for (std::uint32_t n = 1; n <= kRecords; ++n) {
        record.Begin();
        record.Text(random.Pick(kUtf8Names), 40);
        record.Text(random.Pick(kUtf8Towns), 40);
        record.Text(random.Pick(kUtf8Notes), 60);
        record.Number(static_cast<double>(random.Below(10000000)) / 100.0, 10, 2);
        const Day day = RandomDay(random, 1990, 35);
        record.Date(day.year, day.month, day.day);
        record.Integer(random.Below(100000000), 8);
        record.Text(random.Chance(30) ? random.Pick(kUtf8Notes) : "", 60);
        file.Put(record.Bytes());
    }
    file.Put("\x1A");
}

// Chinese towns, companies and streets in GBK (Windows-936), for a table named by a .cpg
// file: 北京 上海 广州 深圳 天津 重庆 成都 武汉; 有限公司; 大街, 路, 号.
const char* const kGbkTowns[] = {"\xB1\xB1\xBE\xA9", "\xC9\xCF\xBA\xA3", "\xB9\xE3\xD6\xDD",
                                 "\xC9\xEE\xDB\xDA", "\xCC\xEC\xBD\xF2", "\xD6\xD8\xC7\xEC",
                                 "\xB3\xC9\xB6\xBC", "\xCE\xE4\xBA\xBA"};
constexpr const char* kGbkCompany = "\xD3\xD0\xCF\xDE\xB9\xAB\xCB\xBE";
constexpr const char* kGbkAvenue = "\xB4\xF3\xBD\xD6";
constexpr const char* kGbkRoad = "\xC2\xB7";
constexpr const char* kGbkNumber = "\xBA\xC5";

void WriteGbk(const std::filesystem::path& path) {
    const std::vector<Field> fields = {{"CITY", 'C', 20, 0},    {"COMPANY", 'C', 40, 0},
                                       {"ADDRESS", 'C', 50, 0}, {"AMOUNT", 'N', 12, 2},
                                       {"SINCE", 'D', 8, 0},    {"CODE", 'C', 10, 0}};
    Random random(0x7E55A8936);
    TableFile file(path);
    file.Put(Header(0x03, fields));
    RecordBytes record(RecordLength(fields));
    char text[64];
    for (std::uint32_t n = 1; n <= kRecords; ++n) {
        record.Begin();
        const char* town = random.Pick(kGbkTowns);
        record.Text(town, 20);
        std::snprintf(text, sizeof text, "%s%s%s", town, random.Pick(kGbkTowns), kGbkCompany);
        record.Text(text, 40);
        std::snprintf(text, sizeof text, "%s%s %u%s", random.Pick(kGbkTowns),
                      random.Chance(50) ? kGbkAvenue : kGbkRoad, 1 + random.Below(300), kGbkNumber);
        record.Text(text, 50);
        record.Number(static_cast<double>(random.Below(100000000)) / 100.0, 12, 2);
        const Day day = RandomDay(random, 1995, 30);
        record.Date(day.year, day.month, day.day);
        std::snprintf(text, sizeof text, "CN%08u", n);
        record.Text(text, 10);
        file.Put(record.Bytes());
    }
    file.Put("\x1A");
}

// 128 short fields in a repeating pattern of the four level 5 types.
void WriteWide(const std::filesystem::path& path) {
    constexpr int kFields = 128;
    static char names[kFields][11];
    std::vector<Field> fields;
    const Field pattern[] = {{"", 'C', 6, 0}, {"", 'N', 5, 0}, {"", 'D', 8, 0},  {"", 'L', 1, 0},
                             {"", 'C', 4, 0}, {"", 'N', 7, 2}, {"", 'C', 10, 0}, {"", 'N', 3, 0}};
    for (int i = 0; i < kFields; ++i) {
        std::snprintf(names[i], sizeof names[i], "F%03d", i + 1);
        Field field = pattern[i % std::size(pattern)];
        field.name = names[i];
        fields.push_back(field);
    }
    Random random(0x7E55A8128);
    TableFile file(path);
    file.Put(Header(0x03, fields));
    RecordBytes record(RecordLength(fields));
    for (std::uint32_t n = 1; n <= kRecords; ++n) {
        record.Begin();
        for (const Field& field : fields) {
            switch (field.type) {
                case 'C': record.Text(random.Pick(kSurnames), field.length); break;
                case 'N':
                    if (field.decimals > 0) {
                        record.Number(static_cast<double>(random.Below(999999)) / 100.0,
                                      field.length, field.decimals);
                    } else {
                        record.Integer(random.Below(field.length == 3 ? 1000 : 100000),
                                       field.length);
                    }
                    break;
                case 'D': {
                    const Day day = RandomDay(random, 1950, 75);
                    record.Date(day.year, day.month, day.day);
                    break;
                }
                default: record.Byte(random.Chance(50) ? 'T' : 'F'); break;
            }
        }
        file.Put(record.Bytes());
    }
    file.Put("\x1A");
}

// 128 fields of C250, each with a few words and blanks behind them, as a text field of a
// table holds them; every record the longest dBASE 5 allows for the most columns shown.
void WriteHuge(const std::filesystem::path& path) {
    constexpr int kFields = 128;
    constexpr std::uint8_t kLength = 250;
    static char names[kFields][11];
    std::vector<Field> fields;
    for (int i = 0; i < kFields; ++i) {
        std::snprintf(names[i], sizeof names[i], "T%03d", i + 1);
        fields.push_back({names[i], 'C', kLength, 0});
    }
    Random random(0x7E55A8250);
    TableFile file(path);
    file.Put(Header(0x03, fields));
    RecordBytes record(RecordLength(fields));
    char text[kLength + 1];
    for (std::uint32_t n = 1; n <= kRecords; ++n) {
        record.Begin();
        for (int i = 0; i < kFields; ++i) {
            std::snprintf(text, sizeof text, "%s %s, %s, %s %u", random.Pick(kFirstNames),
                          random.Pick(kSurnames), random.Pick(kJobs), random.Pick(kStreets),
                          1 + random.Below(180));
            record.Text(text, kLength);
        }
        file.Put(record.Bytes());
    }
    file.Put("\x1A");
}

}  // namespace

int main(int argc, char** argv) {
    const bool huge = argc == 3 && std::string_view(argv[1]) == "--huge";
    if (argc != 2 && !huge) {
        std::fputs("Aufruf: tessaro-make-bench-tables [--huge] AUSGABEORDNER\n", stderr);
        return 2;
    }
    const std::filesystem::path folder = argv[argc - 1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        std::fprintf(stderr, "%s: %s\n", argv[argc - 1], error.message().c_str());
        return 1;
    }
    if (huge) {
        WriteHuge(folder / "huge.dbf");
        return 0;
    }
    WriteLevel5(folder / "level5.dbf");
    WriteLevel7(folder / "level7.dbf");
    WriteWide(folder / "wide.dbf");
    WriteUtf8(folder / "utf8.dbf");
    WriteGbk(folder / "gbk.dbf");
    if (std::FILE* cpg = std::fopen((folder / "gbk.cpg").string().c_str(), "wb")) {
        std::fputs("GBK", cpg);
        std::fclose(cpg);
    }
    return 0;
}

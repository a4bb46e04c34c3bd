#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "table/CodePage.h"
#include "table/Session.h"

namespace tessaro {

// What the character data of a table says of its code page: its field names and the stored
// bytes of every C field that has a column, in every record the file holds, each a text of
// its own. A multi-byte character that the end of its field cuts short is no fault of the
// UTF-8 (writers of shapefiles cut values by bytes), but no sign of it either.
class CharacterEvidence {
public:
    void Add(std::string_view text);

    // Valid UTF-8 with a character beyond ASCII.
    bool IsUtf8() const { return valid_ && multiByte_; }
    // One of the bytes of DOS ü ä Ä ö Ö Ü, which Windows-1252 does not use for letters.
    bool HasDosUmlauts() const { return dosUmlauts_; }
    // Nothing more can change what it says; `umlautsMatter` when the DOS umlauts are asked.
    bool Settled(bool umlautsMatter) const { return !valid_ && (dosUmlauts_ || !umlautsMatter); }

private:
    bool valid_ = true;
    bool multiByte_ = false;
    bool dosUmlauts_ = false;
};

// The values of a record's shown C fields, as evidence.
void AddRecordEvidence(const ColumnLayout& layout, std::string_view values,
                       CharacterEvidence& evidence);

enum class CodePageReason { Chosen, CpgFile, Utf8Found, LanguageDriver, Default };

// The code page of a table and why it is that one.
struct CodePageDecision {
    int codePage = kGermanDosRule;
    CodePageReason reason = CodePageReason::Default;
    std::string cpgFile;      // the .cpg file's name as it is written, without its folder
    std::uint8_t driver = 0;  // the language driver byte that named it

    // "gewählt", "KUNDEN.CPG", "UTF-8 erkannt", "Sprachtreiber 0xC9" or "Voreinstellung".
    std::string Why() const;
    // As the menu says it of its first item: "Automatisch: Windows-1251 (KUNDEN.CPG)".
    std::string AutomaticText() const;
};

// Reads the records' evidence into the evidence until it is settled (see
// CharacterEvidence::Settled); false when the records could not be read.
using RecordEvidence = std::function<bool(CharacterEvidence&, bool umlautsMatter)>;

// The code page of the session's table, whose header has been read, as it decides by itself:
// a .cpg file beside it (the table's name with the extension .cpg, in any case) whose first
// line names a code page; else UTF-8 when its character data is UTF-8; else the code page
// of its language driver (a Windows-1252 one only while the data holds no DOS umlauts);
// else the German DOS rule. `records` is asked only when the names and the .cpg file do
// not decide it.
CodePageDecision AutomaticCodePage(const Session& session, const RecordEvidence& records);

// The code page the user chose.
CodePageDecision ChosenCodePage(int codePage);

// Reads the evidence of the records of the session's table from its file; false when it
// could not be opened (after the retry box).
bool ReadRecordEvidence(Session& session, CharacterEvidence& evidence, bool umlautsMatter);

}  // namespace tessaro

#include "ErrorMessage.h"

#include <string>

namespace tessaro {

namespace {

enum class Group { Stop, Retry };

struct MessageEntry {
    std::int16_t number;
    Group group;
    const char* text;
};

// In ascending order of the number; the first equal entry decides. The spelling is the
// program's own, "Wurzelverzeihnis" and the missing " !" after 9 included.
constexpr MessageEntry kMessages[] = {
    {5, Group::Stop, "Falscher Funktionsaufruf !"},
    {7, Group::Stop, "nicht genügend Arbeitsspeicher !"},
    {9, Group::Stop, "Fehlerhafter Datenzugriff"},
    {27, Group::Stop, "Ausgabe außerhalb Bildschirm oder Druckerrand !"},
    {51, Group::Stop, "Unbekannter interner Fehler !"},
    {52, Group::Stop, "Unzulässiger Dateiname !"},
    {53, Group::Stop, "Datei nicht gefunden !"},
    {54, Group::Stop, "Unerlaubter Schreib- Lesezugriff !"},
    {55, Group::Stop, "Datei bereits geöffnet !"},
    {57, Group::Stop, "Gerät nicht verfügbar !"},
    {58, Group::Stop, "Datei bereits vorhanden !"},
    {61, Group::Stop, "Kein Speicherplatz auf Platte oder Diskette !"},
    {62, Group::Stop, "Falsche Dateilänge !"},
    {63, Group::Stop, "Falsche oder zu große Satznummer !"},
    {64, Group::Stop, "Ungültiger Dateiname !"},
    {67, Group::Stop, "Zu viele Dateien im Wurzelverzeihnis !"},
    {68, Group::Stop, "Gerät nicht vorhanden !"},
    {70, Group::Retry, "Zugriffskonflikt !"},
    {71, Group::Retry, "Diskette Platte nicht verfügbar !"},
    {72, Group::Retry, "Diskette - Platte hat schlechte Sektoren !"},
    {74, Group::Retry, "Umbenennen von Dateien nicht möglich !"},
    {75, Group::Retry, "Verzeichnis kann nicht gelöscht oder umbenannt werden !"},
    {76, Group::Retry, "Pfad nicht vorhanden !"},
};

constexpr const char* kClosingLine = "\r\nMorvane wird beendet";

const MessageEntry* EntryOf(std::int16_t errorNumber) {
    for (const MessageEntry& entry : kMessages) {
        if (entry.number == errorNumber) {
            return &entry;
        }
    }
    return nullptr;
}

}  // namespace

BoxAnswer ShowErrorMessage(DesktopPort& desktop, std::int16_t errorNumber) {
    const MessageEntry* entry = EntryOf(errorNumber);
    if (entry == nullptr) {
        return BoxAnswer::None;
    }
    if (entry->group == Group::Stop) {
        const std::string text = std::string(entry->text) + kClosingLine;
        return desktop.ShowMessageBox(nullptr, text, kErrorCaption, BoxButtons::Ok | BoxIcon::Stop);
    }
    return desktop.ShowMessageBox(nullptr, entry->text, kErrorCaption,
                                  BoxButtons::RetryCancel | BoxIcon::Question);
}

const char* ErrorMessageText(std::int16_t errorNumber) {
    const MessageEntry* entry = EntryOf(errorNumber);
    return entry != nullptr ? entry->text : nullptr;
}

}  // namespace tessaro

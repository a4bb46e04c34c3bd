#include "DesktopEntry.h"

#include <sstream>

namespace tessaro {

namespace {

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The Exec value's escapes: "\s" and friends of the general string rules.
std::string Unescaped(const std::string& value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size()) {
            const char next = value[++i];
            switch (next) {
                case 's': out += ' '; break;
                case 'n': out += '\n'; break;
                case 't': out += '\t'; break;
                case 'r': out += '\r'; break;
                default:
                    out += '\\';
                    out += next;
                    break;  // left for the quoting rules
            }
        } else {
            out += value[i];
        }
    }
    return out;
}

// Splits the Exec line into words: blanks separate, double quotes group, and inside quotes
// a backslash takes the next character literally.
std::vector<std::pair<std::string, bool>> SplitExec(const std::string& exec) {
    std::vector<std::pair<std::string, bool>> words;  // the word, and whether it was quoted
    std::string word;
    bool inWord = false;
    bool quoted = false;
    bool wasQuoted = false;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        const char c = exec[i];
        if (quoted) {
            if (c == '\\' && i + 1 < exec.size()) {
                word += exec[++i];
            } else if (c == '"') {
                quoted = false;
            } else {
                word += c;
            }
        } else if (c == '"') {
            quoted = inWord = wasQuoted = true;
        } else if (c == ' ' || c == '\t') {
            if (inWord) {
                words.emplace_back(word, wasQuoted);
                word.clear();
                inWord = wasQuoted = false;
            }
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) {
        words.emplace_back(word, wasQuoted);
    }
    return words;
}

// Expands the field codes of one unquoted word; returns false when the word goes away.
bool ExpandFieldCodes(std::string& word, const std::string& filePath, bool& fileUsed) {
    if (word == "%f" || word == "%F" || word == "%u" || word == "%U") {
        word = filePath;
        fileUsed = true;
        return true;
    }
    std::string out;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (word[i] != '%' || i + 1 >= word.size()) {
            out += word[i];
            continue;
        }
        const char code = word[++i];
        if (code == '%') {
            out += '%';
        }
        // Every other field code (%i, %c, %k, deprecated ones) is dropped.
    }
    word = out;
    return !word.empty();
}

}  // namespace

std::optional<DesktopEntryCommand> CommandFromDesktopEntry(const std::string& entryText,
                                                           const std::string& filePath) {
    std::istringstream lines(entryText);
    std::string line;
    bool inEntry = false;
    std::string exec;
    DesktopEntryCommand command;
    while (std::getline(lines, line)) {
        line = Trimmed(line);
        if (line.empty() || line[0] == '#') {
            continue;
        }
        if (line[0] == '[') {
            inEntry = line == "[Desktop Entry]";
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inEntry || equals == std::string::npos) {
            continue;
        }
        const std::string key = Trimmed(line.substr(0, equals));
        const std::string value = Trimmed(line.substr(equals + 1));
        if (key == "Exec") {
            exec = Unescaped(value);
        } else if (key == "Terminal") {
            command.terminal = value == "true";
        } else if (key == "Hidden" && value == "true") {
            return std::nullopt;
        }
    }
    bool fileUsed = false;
    for (auto& [word, quoted] : SplitExec(exec)) {
        if (quoted || ExpandFieldCodes(word, filePath, fileUsed)) {
            command.argv.push_back(word);
        }
    }
    if (command.argv.empty()) {
        return std::nullopt;
    }
    if (!fileUsed) {
        command.argv.push_back(filePath);
    }
    return command;
}

}  // namespace tessaro

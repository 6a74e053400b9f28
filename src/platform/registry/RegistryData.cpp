#include "platform/registry/RegistryData.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>

namespace registry {

namespace {

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

std::string Quoted(std::string_view s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '\\' || c == '"')
            out += {'\\', c};
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out + '"';
}

// Reads a quoted string at the start of `s` and advances past it; nullopt when
// `s` does not start with a complete quoted string.
std::optional<std::string> TakeQuoted(std::string_view& s) {
    if (s.empty() || s.front() != '"') return std::nullopt;
    std::string out;
    for (size_t i = 1; i < s.size(); ++i) {
        char c = s[i];
        if (c == '"') {
            s.remove_prefix(i + 1);
            return out;
        }
        if (c == '\\' && i + 1 < s.size()) {
            char next = s[++i];
            out += next == 'n' ? '\n' : next;
        } else {
            out += c;
        }
    }
    return std::nullopt;
}

std::optional<Value> ParseValue(std::string_view text) {
    constexpr std::string_view kDword = "dword:";
    if (text.substr(0, kDword.size()) == kDword) {
        std::string_view digits = text.substr(kDword.size());
        std::uint32_t bits = 0;
        auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), bits, 16);
        if (error != std::errc() || end != digits.data() + digits.size() || digits.empty() || digits.size() > 8)
            return std::nullopt;
        return static_cast<std::int32_t>(bits);
    }
    if (!text.empty() && text.front() == '"') {
        auto quoted = TakeQuoted(text);
        if (!quoted || !Trimmed(text).empty()) return std::nullopt;
        return *quoted;
    }
    return std::string(text);
}

// One "name=value" line into `key`; false when the line fits no form.
bool ParseEntry(std::string_view line, std::string& name, Value& value) {
    std::string_view rest = line;
    if (auto quoted = TakeQuoted(rest)) {
        name = *quoted;  // "" is the key's default value
    } else {
        size_t eq = line.find('=');
        if (eq == std::string_view::npos || Trimmed(line.substr(0, eq)).empty()) return false;
        name = std::string(Trimmed(line.substr(0, eq)));
        rest = line.substr(eq);
    }
    rest = Trimmed(rest);
    if (rest.empty() || rest.front() != '=') return false;
    auto parsed = ParseValue(Trimmed(rest.substr(1)));
    if (!parsed) return false;
    value = std::move(*parsed);
    return true;
}

}  // namespace

std::string RegistryData::NormalisedPath(std::string_view key) {
    std::string out;
    size_t start = 0;
    while (start <= key.size()) {
        size_t end = std::min(key.find('\\', start), key.size());
        if (end > start) {
            if (!out.empty()) out += '\\';
            out += key.substr(start, end - start);
        }
        start = end + 1;
    }
    return out;
}

RegistryData RegistryData::Parse(std::string_view text) {
    RegistryData data;
    Key* current = nullptr;
    while (!text.empty()) {
        size_t eol = std::min(text.find('\n'), text.size());
        std::string_view line = Trimmed(text.substr(0, eol));
        text.remove_prefix(std::min(eol + 1, text.size()));
        if (line.empty() || line.front() == ';' || line.front() == '#') continue;
        if (line.front() == '[' && line.back() == ']') {
            std::string path = NormalisedPath(line.substr(1, line.size() - 2));
            current = nullptr;
            if (path.empty()) continue;
            data.CreateKey(path);
            current = data.FindKey(path);
            continue;
        }
        std::string name;
        Value value;
        if (current && ParseEntry(line, name, value)) data.Set(current->path, name, std::move(value));
    }
    return data;
}

std::string RegistryData::Serialise() const {
    std::string out;
    for (const Key& key : keys_) {
        if (!out.empty()) out += '\n';
        out += '[' + key.path + "]\n";
        for (const Entry& entry : key.entries) {
            out += Quoted(entry.name) + '=';
            if (const auto* number = std::get_if<std::int32_t>(&entry.value)) {
                char hex[16];
                std::snprintf(hex, sizeof hex, "dword:%08x", static_cast<std::uint32_t>(*number));
                out += hex;
            } else {
                out += Quoted(std::get<std::string>(entry.value));
            }
            out += '\n';
        }
    }
    return out;
}

bool RegistryData::HasKey(std::string_view key) const {
    std::string path = NormalisedPath(key);
    if (path.empty()) return false;
    return std::any_of(keys_.begin(), keys_.end(), [&](const Key& k) {
        return SameName(std::string_view(k.path).substr(0, path.size()), path) &&
               (k.path.size() == path.size() || k.path[path.size()] == '\\');
    });
}

void RegistryData::CreateKey(std::string_view key) {
    std::string path = NormalisedPath(key);
    if (!path.empty() && !FindKey(path)) keys_.push_back({path, {}});
}

bool RegistryData::Set(std::string_view key, std::string_view name, Value value) {
    if (!HasKey(key)) return false;
    CreateKey(key);  // a key that exists only through the keys below it gets its own section
    Key* k = FindKey(NormalisedPath(key));
    auto it = std::find_if(k->entries.begin(), k->entries.end(), [&](const Entry& e) { return SameName(e.name, name); });
    if (it != k->entries.end())
        it->value = std::move(value);
    else
        k->entries.push_back({std::string(name), std::move(value)});
    return true;
}

std::optional<Value> RegistryData::Get(std::string_view key, std::string_view name) const {
    const Key* k = FindKey(NormalisedPath(key));
    if (!k) return std::nullopt;
    for (const Entry& e : k->entries)
        if (SameName(e.name, name)) return e.value;
    return std::nullopt;
}

RegistryData::Key* RegistryData::FindKey(std::string_view normalisedPath) {
    auto it = std::find_if(keys_.begin(), keys_.end(), [&](const Key& k) { return SameName(k.path, normalisedPath); });
    return it == keys_.end() ? nullptr : &*it;
}

const RegistryData::Key* RegistryData::FindKey(std::string_view normalisedPath) const {
    return const_cast<RegistryData*>(this)->FindKey(normalisedPath);
}

}  // namespace registry

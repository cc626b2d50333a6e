// In-memory store of named sections of key/value texts, read from and
// written to the configuration file.
#pragma once

#include <cstddef>
#include <map>
#include <string>

// Far above any configuration the program writes, with every language's texts.
constexpr size_t kMaxConfigFileBytes = 16u << 20;

// std::string orders by char_traits<char>::lt, which compares as unsigned
// bytes: exactly the byte order the file format needs.
using Section = std::map<std::string, std::string>;

class ConfigStore {
public:
    ConfigStore() = default;

    // Virtual operations in their fixed slot order; the destructor comes
    // last so that it does not take the first slots.
    virtual bool GetString(const std::string& section, const std::string& key, std::string& value) const;
    virtual bool GetReal(const std::string& section, const std::string& key, double& value) const;
    virtual bool GetInt(const std::string& section, const std::string& key, int& value) const;
    virtual void SetString(const std::string& section, const std::string& key, const std::string& value);
    virtual void SetReal(const std::string& section, const std::string& key, double value);
    virtual void SetInt(const std::string& section, const std::string& key, int value);
    virtual bool GetSection(const std::string& section, Section& entries) const;
    virtual ~ConfigStore() = default;

    // Reads the file into the store; false when it cannot be read or is
    // larger than kMaxConfigFileBytes (then nothing of it is taken).
    bool Load(const std::string& path);
    // Writes the whole store; false when the file could not be written. The
    // old file stays untouched unless every byte of the new one was written.
    bool Save(const std::string& path) const;
    // GetString, storing and returning the default when the entry is missing.
    void GetStringOr(const std::string& section, const std::string& key, const std::string& defaultValue,
                     std::string& value);

    // The bytes Save writes (CRLF line ends on every build).
    std::string Serialise() const;
    // The reading rules applied to bytes already in memory.
    void Parse(const std::string& bytes);

    const std::map<std::string, Section>& Sections() const { return sections_; }

private:
    std::map<std::string, Section> sections_;
};

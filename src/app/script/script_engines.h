#pragma once

#include <QString>
#include <string>
#include <vector>

namespace tidemark {
class ValueStore;
}

// Which engine runs a script file: the built-in JavaScript engine serves
// ".js" always, and any extension the value store maps to "JavaScript" or
// "JScript". The store's values whose names begin with "." name an
// extension and hold its engine's identifier.
class ScriptEngineTable {
public:
    static constexpr std::size_t kMaxEntries = 16;
    static constexpr std::size_t kMaxExtensionBytes = 15;
    static constexpr std::size_t kMaxEngineBytes = 47;

    enum class Choice {
        kBuiltIn,        // run it
        kUnknownEngine,  // its engine is none we have (20033)
        kNotAScript,     // no extension, or one without an engine (20034)
    };

    // Takes the extension values of `store` in its order; an extension an
    // earlier scope already gave (compared without case) is skipped.
    void addScope(const tidemark::ValueStore& store);
    bool built() const { return m_built; }

    Choice choose(const QString& fileName) const;

private:
    struct Entry {
        std::string extension;  // lower case, with its "."
        std::string engine;
    };
    std::vector<Entry> m_entries;
    bool m_built = false;
};

#include "app/script/script_engines.h"

#include <QFileInfo>
#include <algorithm>
#include <cctype>

#include "core/settings/value_store.h"

namespace {

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

bool isBuiltInEngine(const std::string& engine) {
    const std::string id = lowered(engine);
    return id == "javascript" || id == "jscript";
}

}  // namespace

void ScriptEngineTable::addScope(const tidemark::ValueStore& store) {
    m_built = true;
    for (const std::string& name : store.ValueNames()) {
        if (m_entries.size() >= kMaxEntries)
            return;
        if (name.empty() || name.front() != '.' || name.size() > kMaxExtensionBytes)
            continue;
        const std::string extension = lowered(name);
        const bool taken = std::any_of(m_entries.begin(), m_entries.end(),
                                       [&](const Entry& e) { return e.extension == extension; });
        if (taken)
            continue;
        const auto engine = store.QueryString(name);
        if (!engine)
            continue;
        std::string id(engine->View());
        if (id.size() > kMaxEngineBytes)
            id.resize(kMaxEngineBytes);
        m_entries.push_back({extension, id});
    }
}

ScriptEngineTable::Choice ScriptEngineTable::choose(const QString& fileName) const {
    const QString name = QFileInfo(fileName).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0)
        return Choice::kNotAScript;
    const std::string extension = lowered(name.mid(dot).toStdString());
    if (extension == ".js")
        return Choice::kBuiltIn;
    for (const Entry& entry : m_entries) {
        if (entry.extension == extension)
            return isBuiltInEngine(entry.engine) ? Choice::kBuiltIn : Choice::kUnknownEngine;
    }
    return Choice::kNotAScript;
}

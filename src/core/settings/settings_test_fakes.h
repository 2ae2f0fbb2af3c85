#pragma once

// Stand-ins for the services the settings run against, shared by the tests
// of this folder.

#include <map>
#include <string>
#include <vector>

#include "core/common/sjis.h"
#include "core/settings/drag_scroll_source.h"
#include "core/settings/font_service.h"
#include "core/settings/script_store_persistence.h"
#include "core/settings/settings_notifier.h"
#include "core/settings/settings_text_source.h"

namespace tidemark::testing {

// A fixed set of installed families, matched without case.
class FakeFontService : public FontService {
public:
    std::vector<std::string> Installed = {"Sans", "Serif", "Gothic JP"};
    std::map<std::string, std::string> Substitutes;  // face -> installed family
    FontSetting GuiFont{"Sans", -12};
    FontSetting DeviceFont{"Serif", -16};
    std::int32_t Dpi = 96;

    std::optional<ByteString> ResolveFace(const ByteString& face) const override {
        for (const std::string& family : Installed) {
            if (CompareTextNoCase(family, face.View()) == 0)
                return ByteString(family);
        }
        auto it = Substitutes.find(face.Str());
        if (it != Substitutes.end())
            return ByteString(it->second);
        return std::nullopt;
    }
    FontSetting GetStockFont(StockFont which) const override {
        return which == StockFont::kGui ? GuiFont : DeviceFont;
    }
    std::int32_t ScreenDpi() const override { return Dpi; }
};

class FakeTextSource : public SettingsTextSource {
public:
    std::map<std::uint32_t, ByteString> Texts;
    ByteString DateTime = "yyyy/MM/dd HH:mm";

    ByteString Text(std::uint32_t id) const override {
        auto it = Texts.find(id);
        return it == Texts.end() ? ByteString() : it->second;
    }
    ByteString LocaleDateTimeFormat() const override { return DateTime; }
};

class FixedDragScrollSource : public DragScrollSource {
public:
    DragScrollValues Values;
    DragScrollValues ReadDragScrollValues() const override { return Values; }
};

class RecordingSettingsNotifier : public SettingsNotifier {
public:
    std::vector<bool> Broadcasts;
    std::vector<SettingsChanges> Applied;
    void BroadcastSettingsChanged(bool apply) override { Broadcasts.push_back(apply); }
    void ApplySettings(const SettingsChanges& changes) override { Applied.push_back(changes); }
};

class CountingScriptNotifier : public ScriptStoreNotifier {
public:
    int Saves = 0;
    void ScriptStoreSaved() override { ++Saves; }
};

}  // namespace tidemark::testing

#include "core/settings/settings.h"

#include <new>

#include "core/settings/settings_format.h"
#include "core/settings/value_names.h"

namespace tidemark {

bool Settings::Load(const SettingsEnvironment& environment) {
    try {
        Settings loaded;
        std::optional<std::vector<std::uint8_t>> image =
            environment.Store.QueryBinary(ValueName::kSettings);
        if (image) {
            ReadSettingsImage(*image, loaded);
            loaded.RepairBands();
        } else {
            loaded.ReadLegacyValues(environment.Store);
        }
        loaded.ResolveFonts(environment.Fonts);
        DragScrollValues drag = environment.DragScroll.ReadDragScrollValues();
        loaded.DragScrollInset = drag.Inset;
        loaded.DragScrollDelay = drag.Delay;
        loaded.DragScrollInterval = drag.Interval;
        if (!image)
            loaded.SaveUnlessResident(environment.Store, environment.Resident);
        *this = std::move(loaded);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool Settings::Save(ValueStore& store) const {
    try {
        return store.SetBinary(ValueName::kSettings, WriteSettingsImage(*this));
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool Settings::SaveUnlessResident(ValueStore& store, bool resident) const {
    return resident || Save(store);
}

bool Settings::SaveAndBroadcast(ValueStore& store, SettingsNotifier& notifier, bool apply) const {
    bool saved = Save(store);
    notifier.BroadcastSettingsChanged(apply);
    return saved;
}

SettingsChanges Settings::Reload(const SettingsEnvironment& environment,
                                 const SettingsTextSource& texts, bool apply,
                                 SettingsNotifier& notifier) {
    const Settings before = *this;
    SettingsChanges changes;
    if (!Load(environment))
        return changes;
    ApplyEmptyDefaults(environment.Fonts, texts);

    auto flagChanged = [](SettingFlag a, SettingFlag b) { return (a != 0) != (b != 0); };
    changes.BandVisibility = flagChanged(before.StandardBand.Visible, StandardBand.Visible) ||
                             flagChanged(before.NavigationBand.Visible, NavigationBand.Visible) ||
                             flagChanged(before.MemoBand.Visible, MemoBand.Visible) ||
                             flagChanged(before.SimpleBand.Visible, SimpleBand.Visible);
    changes.BodyColumn = flagChanged(before.HideBodyInList, HideBodyInList);
    changes.StickyAlternate = flagChanged(before.StickyAlternate, StickyAlternate);
    if (apply)
        notifier.ApplySettings(changes);
    return changes;
}

bool Settings::Exists(const ValueStore& store) {
    return store.QueryBinary(ValueName::kSettings).has_value();
}

// Records written before the memo and simple toolbars existed hold zeros
// for them.
void Settings::RepairBands() {
    if (MemoBand.Visible == 0 && MemoBand.Position == 0) {
        MemoBand = ToolbarBand{2, 200, 0, 1};
    }
    if (SimpleBand.Visible == 0 && SimpleBand.Position == 0) {
        SimpleBand.Position = -1;
        SimpleBand.NewRow = 1;
    }
}

// A face that is no longer installed leaves the font empty, so that the
// empty default replaces it rather than an unusable face.
void Settings::ResolveFonts(const FontService& fonts) {
    for (FontSetting* font : {&ListFont, &EditFont, &PrintFont}) {
        if (font->IsEmpty()) {
            *font = FontSetting{};
            continue;
        }
        std::optional<ByteString> face = fonts.ResolveFace(font->Face);
        if (face && !face->Empty()) {
            font->Face = LimitFace(*face);
        } else {
            *font = FontSetting{};
        }
    }
}

}  // namespace tidemark

#include "app/frame/simple_mode.h"

#include "core/settings/settings.h"

void applySimpleModeDefaults(tidemark::Settings& settings) {
    for (tidemark::ToolbarBand* band :
         {&settings.StandardBand, &settings.NavigationBand, &settings.MemoBand}) {
        band->Visible = 0;
        band->Position = -1;
        band->NewRow = 1;
    }
    settings.SimpleBand.Visible = 1;
    settings.SimpleBand.Position = 0;
    settings.SimpleBand.Width = 200;
    settings.SimpleBand.NewRow = 1;
    settings.AutoSave = 1;
    settings.StartupMode = 3;
    settings.TypeBodyFirst = 1;
    settings.TitleFromFirstLine = 1;
}

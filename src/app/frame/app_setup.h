#pragma once

// Names the program to Qt (organisation, application, version, desktop
// file), makes its resources reachable and lets Qt's own dialogs and
// buttons speak Japanese. Call once, right after the QApplication exists.
void setUpApplicationObject();

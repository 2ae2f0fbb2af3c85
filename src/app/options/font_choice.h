#pragma once

#include <QGroupBox>

#include "core/settings/font_service.h"

class QComboBox;
class QLabel;

// A font of the settings as the options pages edit it: the face from the
// families of this machine, the size in points, and a sample drawn in both.
// A scalable face offers the usual sizes from 8 to 72 points, a bitmap face
// its own sizes; any whole number may be typed.
class FontChoice : public QGroupBox {
    Q_OBJECT
public:
    // `objectPrefix` names the controls ("listFont" → "listFontName",
    // "listFontSize", "listFontSample").
    FontChoice(const QString& title, const QString& objectPrefix, int screenDpi,
               QWidget* parent = nullptr);

    // Shows `font`: its face when it is one of this machine's, and its size.
    void setFont(const tidemark::FontSetting& font);
    // Checks the choice: no face (20073) or a size that is not a whole number
    // of at least 1 (20021) shows its message, puts the focus on the box and
    // answers false.
    bool check();
    // The chosen font (after check() answered true).
    tidemark::FontSetting chosen() const;

    QComboBox* nameBox() const { return m_name; }
    QComboBox* sizeBox() const { return m_size; }
    QLabel* sample() const { return m_sample; }

    // The sizes offered for `family`, ascending.
    static QList<int> sizesFor(const QString& family);

private:
    void faceChosen();
    void refreshSample();

    int m_dpi;
    QComboBox* m_name;
    QComboBox* m_size;
    QLabel* m_sample;
};

#include "app/options/font_choice.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/common/message_box.h"
#include "app/common/ui_strings.h"
#include "app/options/options_texts.h"
#include "core/common/whole_number.h"
#include "platform/qt_font_service.h"

namespace {

constexpr std::uint32_t kNoFace = 20073;
constexpr std::uint32_t kBadSize = 20021;
constexpr int kScalableSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

// The families of this machine that the settings can store, once each.
QStringList storableFamilies() {
    QStringList families;
    for (const QString& family : QFontDatabase::families()) {
        if (QFontDatabase::isPrivateFamily(family) || families.contains(family))
            continue;
        if (!QtFontService::storedFace(family).Empty())
            families << family;
    }
    return families;
}

}  // namespace

FontChoice::FontChoice(const QString& title, const QString& objectPrefix, int screenDpi,
                       QWidget* parent)
    : QGroupBox(title, parent),
      m_dpi(screenDpi > 0 ? screenDpi : 96),
      m_name(new QComboBox(this)),
      m_size(new QComboBox(this)),
      m_sample(new QLabel(optionsText("display.sample"), this)) {
    setObjectName(objectPrefix);
    m_name->setObjectName(objectPrefix + QStringLiteral("Name"));
    m_size->setObjectName(objectPrefix + QStringLiteral("Size"));
    m_sample->setObjectName(objectPrefix + QStringLiteral("Sample"));
    m_name->addItems(storableFamilies());
    m_name->setCurrentIndex(-1);
    m_size->setEditable(true);
    m_sample->setFrameShape(QFrame::StyledPanel);
    m_sample->setAlignment(Qt::AlignCenter);
    m_sample->setMinimumHeight(48);

    auto* form = new QFormLayout;
    form->addRow(optionsText("display.fontName"), m_name);
    form->addRow(optionsText("display.fontSize"), m_size);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_sample);

    connect(m_name, &QComboBox::currentIndexChanged, this, &FontChoice::faceChosen);
    connect(m_size, &QComboBox::currentTextChanged, this, &FontChoice::refreshSample);
}

QList<int> FontChoice::sizesFor(const QString& family) {
    if (QFontDatabase::isSmoothlyScalable(family) || QFontDatabase::isScalable(family) ||
        QFontDatabase::pointSizes(family).isEmpty()) {
        return QList<int>(std::begin(kScalableSizes), std::end(kScalableSizes));
    }
    QList<int> sizes = QFontDatabase::pointSizes(family);
    std::sort(sizes.begin(), sizes.end());
    sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());
    return sizes;
}

void FontChoice::setFont(const tidemark::FontSetting& font) {
    m_name->setCurrentIndex(m_name->findText(QtFontService::familyOf(font.Face)));
    faceChosen();
    if (font.Height != 0) {
        const int points =
            tidemark::MulDiv(font.Height < 0 ? -font.Height : font.Height, 72, m_dpi);
        m_size->setCurrentText(QString::number(points));
    }
    refreshSample();
}

void FontChoice::faceChosen() {
    const QString typed = m_size->currentText();
    m_size->blockSignals(true);
    m_size->clear();
    if (m_name->currentIndex() >= 0) {
        for (int size : sizesFor(m_name->currentText()))
            m_size->addItem(QString::number(size));
    }
    m_size->setCurrentText(typed);
    m_size->blockSignals(false);
    refreshSample();
}

void FontChoice::refreshSample() {
    QFont font = m_sample->font();
    if (m_name->currentIndex() >= 0)
        font.setFamily(m_name->currentText());
    const std::optional<long> points =
        tidemark::ReadWholeNumber(m_size->currentText().toStdString());
    if (points && *points >= 1 && *points <= 1000)
        font.setPixelSize(tidemark::MulDiv(static_cast<std::int32_t>(*points), m_dpi, 72));
    m_sample->setFont(font);
}

bool FontChoice::check() {
    if (m_name->currentIndex() < 0) {
        showMessage(window(), MessageKind::kError, uiText(kNoFace));
        m_name->setFocus(Qt::OtherFocusReason);
        return false;
    }
    const std::optional<long> points =
        tidemark::ReadWholeNumber(m_size->currentText().toStdString());
    if (!points || *points < 1) {
        showMessage(window(), MessageKind::kError, uiText(kBadSize));
        m_size->setFocus(Qt::OtherFocusReason);
        m_size->lineEdit()->selectAll();
        return false;
    }
    return true;
}

tidemark::FontSetting FontChoice::chosen() const {
    tidemark::FontSetting font;
    font.Face = QtFontService::storedFace(m_name->currentText());
    const std::optional<long> points =
        tidemark::ReadWholeNumber(m_size->currentText().toStdString());
    font.Height = tidemark::PointsToHeight(points ? static_cast<std::int32_t>(*points) : 0, m_dpi);
    return font;
}

#include "app/frame/path_box_filler.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QStyledItemDelegate>
#include <vector>

#include "app/common/qt_text.h"
#include "app/list/list_row_painter.h"
#include "app/list/row_icons.h"
#include "core/model/item.h"
#include "core/model/note.h"

namespace {

constexpr int kLevelRole = kPathBoxItemRole + 1;

// Entries of the drop-down list indented by their level.
class IndentingDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem shifted = option;
        shifted.rect.setLeft(option.rect.left() + index.data(kLevelRole).toInt() * kLevelWidth);
        QStyledItemDelegate::paint(painter, shifted, index);
    }
};

}  // namespace

void fillPathBox(QComboBox& box, tidemark::Note& note, tidemark::ItemId focused) {
    if (!box.view()->itemDelegate() ||
        !dynamic_cast<IndentingDelegate*>(box.view()->itemDelegate())) {
        box.view()->setItemDelegate(new IndentingDelegate(&box));
    }
    const QSignalBlocker quiet(box);
    box.clear();
    std::vector<const tidemark::Item*> chain;
    std::size_t budget = note.Items().Size() + 1;
    for (const tidemark::Item* at = note.FindItem(focused);
         at && at->links.id != note.RootId() && budget-- > 0;
         at = note.FindItem(at->links.parent)) {
        chain.push_back(at);
    }
    if (chain.empty()) {
        box.setEditText(QString());
        return;
    }
    int level = 0;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it, ++level) {
        const tidemark::Item& item = **it;
        box.addItem(rowIcon(rowIconNumber(item, IconPlace::kPathBox, tidemark::kNoItem)),
                    toQString(item.Title()), QVariant::fromValue(item.links.id));
        box.setItemData(box.count() - 1, level, kLevelRole);
    }
    box.setCurrentIndex(box.count() - 1);
}

#pragma once

class QWidget;

// The offer after a note was saved under a new name: whether to make a
// shortcut to it now, and whether to offer again next time.
struct ShortcutOfferAnswer {
    bool create = false;
    bool offerAgain = true;
};

// Asks over `owner` (question icon, はい/いいえ, the box "このダイアログを今後も
// 表示する" ticked at first). Closing the box otherwise counts as いいえ.
ShortcutOfferAnswer askShortcutOffer(QWidget* owner);

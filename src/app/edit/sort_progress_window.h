#pragma once

#include <QDialog>

#include "core/model/sort_progress.h"

class QLabel;

// Window 138 "並べ替え中...": hidden until the sort has run for
// kShowAfterMs, then names the group being sorted and offers a cancel
// button. While the sort runs it keeps the program responsive by
// dispatching pending events. Modeless; lives for one sort.
class SortProgressWindow : public QDialog, public tidemark::SortProgress {
    Q_OBJECT
public:
    static constexpr std::uint64_t kShowAfterMs = 1500;

    explicit SortProgressWindow(QWidget* parent = nullptr);

    void BeginGroup(const tidemark::ByteString& groupTitle) override;
    bool Continue(std::uint64_t elapsedMilliseconds) override;

    bool isCancelled() const { return m_cancelled; }
    void cancel() { m_cancelled = true; }
    // Escape and the window's close button cancel as the button does; the
    // window stays until the sort has stopped.
    void reject() override { cancel(); }

private:
    QLabel* m_group;
    bool m_cancelled = false;
};

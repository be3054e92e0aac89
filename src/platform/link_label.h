#pragma once
// A web-address label that keeps its distance to the bottom right corner of its page.

#include <QLabel>

namespace morvanta::platform {

class LinkLabel : public QLabel {
    Q_OBJECT
public:
    LinkLabel(const QString& address, QWidget* page);
    static constexpr int kRightGap = 12;
    static constexpr int kBottomGap = 9;

signals:
    void clicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void place();
    bool swallowRelease_ = false;
};

}  // namespace morvanta::platform

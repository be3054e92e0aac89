#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

#include "platform/link_label.h"

namespace morvanta::platform {
namespace {

TEST(LinkLabel, OneClickOrOneDoubleClickIsOneAction) {
    QWidget page;
    page.resize(400, 300);
    LinkLabel link(QStringLiteral("https://morvanta.example"), &page);
    int actions = 0;
    QObject::connect(&link, &LinkLabel::clicked, [&] { ++actions; });
    QTest::mouseClick(&link, Qt::LeftButton);
    EXPECT_EQ(actions, 1);
    // A double click arrives as press, release, double click, release.
    const QPointF at(2, 2);
    QTest::mousePress(&link, Qt::LeftButton, {}, at.toPoint());
    QTest::mouseRelease(&link, Qt::LeftButton, {}, at.toPoint());
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, at, link.mapToGlobal(at), Qt::LeftButton,
                            Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&link, &doubleClick);
    QMouseEvent release(QEvent::MouseButtonRelease, at, link.mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&link, &release);
    EXPECT_EQ(actions, 2);
    QTest::mouseClick(&link, Qt::RightButton);
    EXPECT_EQ(actions, 2);
}

}  // namespace
}  // namespace morvanta::platform

#include <QLineEdit>

#include "platform/one_line.h"

namespace morvanta::platform {
namespace {

TEST(OneLine, PastedLineBreaksAndTabsBecomeBlanks) {
    QLineEdit edit;
    KeepOnOneLine(&edit);
    edit.insert(QStringLiteral("Zeile1\r\nZeile2\tund\nmehr"));
    EXPECT_EQ(edit.text(), QStringLiteral("Zeile1 Zeile2 und mehr"));
    EXPECT_EQ(edit.cursorPosition(), edit.text().size());
}

}  // namespace
}  // namespace morvanta::platform

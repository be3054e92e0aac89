// Every caption, label, check box, button, tab and status panel shows its whole
// text at the smallest window size and at a larger one, with the fonts the
// setup script installs.

#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>

#include "support/form_fixture.h"
#include "platform/status_bar.h"

namespace morvanta::testing {
namespace {

// The widget's own name, or its text, so a failure says which one is clipped.
QString Describe(const QWidget* w, const QString& text) {
    return w->objectName().isEmpty() ? text : w->objectName() + QStringLiteral(" \"") + text + QLatin1Char('"');
}

// Room a push button's frame and bevel take beside its text.
constexpr int kButtonPadding = 12;

// Clipped widgets of one page: the size hint is what the widget's style needs
// for its whole text; a wrapping label only needs its height.
std::string ClippedWidgets(const QWidget* root) {
    QStringList clipped;
    for (const QWidget* w : root->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(root)) continue;
        QString text;
        bool wraps = false;
        if (const auto* label = qobject_cast<const QLabel*>(w)) {
            text = label->text();
            wraps = label->wordWrap();
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
            text = button->text();
        } else {
            continue;
        }
        if (text.trimmed().isEmpty()) continue;
        QSize need = wraps ? QSize(0, w->heightForWidth(w->width())) : w->sizeHint();
        // A push button's hint holds the style's minimum width; its text needs less.
        if (qobject_cast<const QPushButton*>(w))
            need.setWidth(w->fontMetrics().horizontalAdvance(text) + kButtonPadding);
        if (need.width() > w->width() || need.height() > w->height())
            clipped << Describe(w, text) + QStringLiteral(" needs %1x%2, has %3x%4")
                                               .arg(need.width())
                                               .arg(need.height())
                                               .arg(w->width())
                                               .arg(w->height());
    }
    return clipped.join(QLatin1Char('\n')).toStdString();
}

class Legibility : public FormFixture {};

TEST_F(Legibility, EveryTextFitsAtTheSmallestAndALargerSize) {
    app::TForm1& w = makeForm();
    // The widest texts the panels are given while the program runs.
    w.StatusBar1->setPanelText(0, QStringLiteral("65535 Vokabeln gespeichert"));
    w.StatusBar1->setPanelText(2, QStringLiteral("Keine Vokabel ausgewählt"));
    w.StatusBar1->setPanelText(3, QStringLiteral("9999 Richtig und 9999 Falsch"));
    w.show();
    for (const QSize size : {QSize(586, 520), QSize(812, 600)}) {
        w.resize(size);
        QApplication::processEvents();
        for (int page = 0; page < w.PageControl1->count(); ++page) {
            w.PageControl1->setCurrentIndex(page);
            QApplication::processEvents();
            EXPECT_EQ(ClippedWidgets(w.PageControl1->widget(page)), "")
                << "page " << w.PageControl1->tabText(page).toStdString() << " at "
                << size.width() << "x" << size.height();
        }
        EXPECT_EQ(ClippedWidgets(w.StatusBar1), "") << "status bar";
        const QTabBar* tabs = w.PageControl1->tabBar();
        for (int i = 0; i < tabs->count(); ++i)
            EXPECT_GT(tabs->tabRect(i).width(), tabs->fontMetrics().horizontalAdvance(tabs->tabText(i)))
                << tabs->tabText(i).toStdString();
    }
}

}  // namespace
}  // namespace morvanta::testing

// Every caption, label, check box, button, tab and status panel shows its whole
// text at the smallest window size and at a larger one, with the fonts the
// setup script installs.

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>

#include "app/application_setup.h"
#include "platform/status_bar.h"
#include "support/form_fixture.h"

namespace morvanta::testing {
namespace {

// The widget's own name, or its text, so a failure says which one is clipped.
QString Describe(const QWidget* w, const QString& text) {
    return w->objectName().isEmpty()
               ? text
               : w->objectName() + QStringLiteral(" \"") + text + QLatin1Char('"');
}

// Room a push button's frame and bevel take beside its text.
constexpr int kButtonPadding = 12;

struct Caption {
    const QWidget* widget;
    QString text;
    QSize need;  // what the style needs for the whole text
};

// The visible captions of one page: labels, check boxes and buttons with text.
QList<Caption> Captions(const QWidget* root) {
    QList<Caption> captions;
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
        QSize need = wraps ? QSize(w->width(), w->heightForWidth(w->width())) : w->sizeHint();
        // A push button's hint holds the style's minimum width; its text needs less.
        if (qobject_cast<const QPushButton*>(w))
            need.setWidth(w->fontMetrics().horizontalAdvance(text) + kButtonPadding);
        captions.push_back({w, text, need});
    }
    return captions;
}

// The line the text takes: its needed width, one font height, centred upright.
QRect TextLine(const Caption& c) {
    const int height = c.widget->fontMetrics().height();
    const QPoint at = c.widget->pos() + QPoint(0, (c.widget->height() - height) / 2);
    return {at, QSize(c.need.width(), height)};
}

// Captions cut off by their own rectangle, or covered by a neighbour's text.
std::string ClippedWidgets(const QWidget* root) {
    QStringList clipped;
    const QList<Caption> captions = Captions(root);
    for (const Caption& c : captions) {
        const QWidget* w = c.widget;
        if (c.need.width() > w->width() || c.need.height() > w->height())
            clipped << Describe(w, c.text) + QStringLiteral(" needs %1x%2, has %3x%4")
                                                 .arg(c.need.width())
                                                 .arg(c.need.height())
                                                 .arg(w->width())
                                                 .arg(w->height());
    }
    for (qsizetype i = 0; i < captions.size(); ++i) {
        for (qsizetype j = i + 1; j < captions.size(); ++j) {
            const Caption& a = captions[i];
            const Caption& b = captions[j];
            if (a.widget->parentWidget() != b.widget->parentWidget()) continue;
            if (TextLine(a).intersects(TextLine(b)))
                clipped << Describe(a.widget, a.text) + QStringLiteral(" overlaps ") +
                               Describe(b.widget, b.text);
        }
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
        for (int page = 0; page < w.pageTabs->count(); ++page) {
            w.pageTabs->setCurrentIndex(page);
            QApplication::processEvents();
            EXPECT_EQ(ClippedWidgets(w.pageTabs->widget(page)), "")
                << "page " << w.pageTabs->tabText(page).toStdString() << " at " << size.width()
                << "x" << size.height();
            // Pictures of the smallest window, where asked for (the fresh system's check).
            if (const QString pictures = qEnvironmentVariable("MORVANTA_PICTURES");
                !pictures.isEmpty() && size == QSize(586, 520))
                w.grab().save(pictures + QStringLiteral("/page-%1.png").arg(page + 1));
        }
        EXPECT_EQ(ClippedWidgets(w.StatusBar1), "") << "status bar";
        const QTabBar* tabs = w.pageTabs->tabBar();
        for (int i = 0; i < tabs->count(); ++i)
            EXPECT_GT(tabs->tabRect(i).width(),
                      tabs->fontMetrics().horizontalAdvance(tabs->tabText(i)))
                << tabs->tabText(i).toStdString();
    }
}

TEST(GermanDialogs, QtsOwnDialogsSpeakGermanAndTheTitleIsTheCaptionAlone) {
    ASSERT_TRUE(app::SetUpApplication(*qobject_cast<QApplication*>(QCoreApplication::instance())))
        << "Qt's German translations (qt6-translations-l10n) are missing";
    EXPECT_TRUE(QApplication::applicationDisplayName().isEmpty());

    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    QStringList buttons;
    for (const QAbstractButton* b : dialog.findChild<QDialogButtonBox*>()->buttons())
        buttons << b->text().remove(QLatin1Char('&'));
    EXPECT_TRUE(buttons.contains(QStringLiteral("Speichern"))) << buttons.join(u',').toStdString();
    EXPECT_TRUE(buttons.contains(QStringLiteral("Abbrechen"))) << buttons.join(u',').toStdString();
}

TEST(GermanDialogs, AnExtensionTheProgramAddsAsksBeforeReplacingAFile) {
    QTemporaryDir dir;
    const QString typed = dir.filePath(QStringLiteral("liste"));
    const platform::FileDialogSpec rtf{QStringLiteral("SaveDialog1"),
                                       QStringLiteral("Rich Text Format (*.rtf)|*.rtf"),
                                       QStringLiteral("rtf"), true};
    platform::ScriptedDialogs ask;
    EXPECT_EQ(platform::CompleteSaveName(typed, rtf, ask), typed + QStringLiteral(".rtf"));
    EXPECT_TRUE(ask.messages.isEmpty());  // nothing there yet: no question

    QFile existing(typed + QStringLiteral(".rtf"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    ask.confirmAnswers = {false, true};
    EXPECT_EQ(platform::CompleteSaveName(typed, rtf, ask), std::nullopt);
    EXPECT_EQ(platform::CompleteSaveName(typed, rtf, ask), typed + QStringLiteral(".rtf"));
    ASSERT_EQ(ask.messages.size(), 2);
    EXPECT_EQ(
        ask.messages[0].text,
        QStringLiteral(
            "Die Datei \u201Eliste.rtf\u201C ist bereits vorhanden. Soll sie ersetzt werden?"));
    // A name typed with its extension was asked about by the dialog itself.
    ask.messages.clear();
    EXPECT_EQ(platform::CompleteSaveName(typed + QStringLiteral(".rtf"), rtf, ask),
              typed + QStringLiteral(".rtf"));
    EXPECT_TRUE(ask.messages.isEmpty());
}

}  // namespace
}  // namespace morvanta::testing

// The page "Suche / Ändern": its widgets and where they stand.

#include "entry/browse_page.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/fonts.h"
#include "platform/labels.h"

namespace morvanta::entry {

namespace {

using platform::DBCheckBox;
using platform::DBEdit;
using platform::DBMemo;
using platform::DBRichEdit;
using platform::MakeLabel;

constexpr int kStartColumn = 177;  // column width at the smallest window
constexpr int kEditHeight = 21;
constexpr int kRichHeight = 57;
constexpr int kSearchTop = 408;
constexpr int kSearchEditLeft = 352;
constexpr int kButtonWidth = 75;
constexpr int kRightMargin = 8;

const QString kSearchHint = QStringLiteral("Wildcard Suche mit *  oder %");

void Place(QWidget* widget, int left, int width) {
    widget->setGeometry(left, widget->y(), width, widget->height());
}

template <class W>
W* Named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

}  // namespace

BrowsePage::BrowsePage(const platform::BrowseContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
    frame_ = new QFrame(this);
    frame_->setFrameShape(QFrame::StyledPanel);
    frame_->setFrameShadow(QFrame::Sunken);
    frame_->setGeometry(8, 72, 554, 329);
    buildRecordWidgets();
    buildSearchRow();
    frame_->lower();

    sourceToken_ = context_.DataSource1.subscribe([this](store::DataEvent event) {
        // A cancel reports only its state, yet the record shows its old values again.
        if (event != store::DataEvent::UpdateRecord) DataSource1DataChange();
    });
    applyColumns(platform::ComputeColumns(586));
    DataSource1DataChange();
}

BrowsePage::~BrowsePage() { context_.DataSource1.unsubscribe(sourceToken_); }

// Created in tab order: the focus chain follows creation.
void BrowsePage::buildRecordWidgets() {
    store::DataSource& source = context_.DataSource1;
    platform::Dialogs& dialogs = context_.dialogs;
    const int a = kStartColumn;
    auto edit = [&](const char* name, const char* field, int left, int top) {
        auto* widget = Named(new DBEdit(source, QString::fromLatin1(field), dialogs, this), name);
        widget->setGeometry(left, top, a, kEditHeight);
        return widget;
    };

    DBNavigator1 = Named(new platform::DBNavigator(source, dialogs, this), "DBNavigator1");
    DBNavigator1->setGeometry(16, 24, 240, 25);

    DBRichEdit12 = Named(new DBRichEdit(source, QStringLiteral("Kanji"), dialogs, this), "DBRichEdit12");
    DBRichEdit12->setFont(platform::JapaneseFont(12));
    DBRichEdit12->setGeometry(12, 96, a, kRichHeight);
    MakeLabel(QStringLiteral("Kanji"), this, {.at = QPoint(12, 80), .buddy = DBRichEdit12});

    DBRichEdit11 =
        Named(new DBRichEdit(source, QStringLiteral("Hira-Kata"), dialogs, this), "DBRichEdit11");
    DBRichEdit11->setFont(platform::JapaneseFont(12));
    DBRichEdit11->setGeometry(197, 96, a, kRichHeight);
    kanaLabel_ = MakeLabel(QStringLiteral("Hiragana / Katakana"), this,
                           {.at = QPoint(197, 80), .buddy = DBRichEdit11});
    HiraKataRomaji = new platform::RomajiInput(DBRichEdit11);

    DBRichEdit9 = Named(new DBMemo(source, QStringLiteral("Hepburn"), dialogs, this), "DBRichEdit9");
    DBRichEdit9->setFont(platform::UiFont(24));
    DBRichEdit9->setGeometry(382, 96, a, kRichHeight);
    hepburnLabel_ =
        MakeLabel(QStringLiteral("Hepburn"), this, {.at = QPoint(382, 80), .buddy = DBRichEdit9});

    DBEdit15 = edit("DBEdit15", "Translation1", 12, 176);
    MakeLabel(QStringLiteral("Translation 1"), this, {.at = QPoint(12, 160), .buddy = DBEdit15});
    DBEdit16 = edit("DBEdit16", "Translation2", 197, 176);
    translation2Label_ = MakeLabel(QStringLiteral("Translation 2"), this,
                                   {.at = QPoint(197, 160), .buddy = DBEdit16});
    DBEdit17 = edit("DBEdit17", "Translation3", 382, 176);
    translation3Label_ = MakeLabel(QStringLiteral("Translation 3"), this,
                                   {.at = QPoint(382, 160), .buddy = DBEdit17});

    DBEdit2 = edit("DBEdit2", "Lesson", 12, 224);
    MakeLabel(QStringLiteral("Lektion"), this, {.at = QPoint(12, 208), .buddy = DBEdit2});
    DBEdit6 = edit("DBEdit6", "Type", 197, 224);
    typLabel_ = MakeLabel(QStringLiteral("Typ"), this, {.at = QPoint(197, 208), .buddy = DBEdit6});
    DBEdit14 = edit("DBEdit14", "Accent", 382, 224);
    accentLabel_ =
        MakeLabel(QStringLiteral("Akzent"), this, {.at = QPoint(382, 208), .buddy = DBEdit14});

    DBEdit7 = edit("DBEdit7", "Note", 12, 272);
    MakeLabel(QStringLiteral("Beschreibung / Bemerkung"), this,
              {.at = QPoint(12, 256), .buddy = DBEdit7});

    DBEdit1 = edit("DBEdit1", "DateEntered", 12, 320);
    MakeLabel(QStringLiteral("Eingegeben am"), this, {.at = QPoint(12, 304), .buddy = DBEdit1});
    DBEdit3 = edit("DBEdit3", "DateAsked", 197, 320);
    dateAskedLabel_ = MakeLabel(QStringLiteral("Zuletzt abgefragt am"), this,
                                {.at = QPoint(197, 304), .buddy = DBEdit3});

    DBCheckBox1 = Named(new DBCheckBox(source, QStringLiteral("Marked"), dialogs,
                                       QStringLiteral("Markiert zur Abfrage"), this),
                        "DBCheckBox1");
    DBCheckBox1->move(382, 312);
    DBCheckBox1->adjustSize();  // the caption decides the width
    DBCheckBox2 = Named(new DBCheckBox(source, QStringLiteral("CardPrinted"), dialogs,
                                       QStringLiteral("Karteikarte schon Gedruckt"), this),
                        "DBCheckBox2");
    DBCheckBox2->move(382, 328);
    DBCheckBox2->adjustSize();

    DBEdit4 = edit("DBEdit4", "NumberAsked", 12, 368);
    MakeLabel(QStringLiteral("Wie oft abgefragt"), this, {.at = QPoint(12, 352), .buddy = DBEdit4});
    DBEdit5 = edit("DBEdit5", "NumberWrong", 197, 368);
    wrongLabel_ =
        MakeLabel(QStringLiteral("Davon Falsch"), this, {.at = QPoint(197, 352), .buddy = DBEdit5});

    // Shows a computed value; typing there would change nothing.
    Edit6 = Named(new QLineEdit(this), "Edit6");
    Edit6->setReadOnly(true);
    Edit6->setGeometry(382, 368, a, kEditHeight);
    ratioLabel_ = MakeLabel(QStringLiteral("Ratio: Falsche/Abgefragt"), this,
                            {.at = QPoint(382, 352), .buddy = Edit6});
}

void BrowsePage::buildSearchRow() {
    Button6 = Named(new QPushButton(QStringLiteral("Alle Anzeigen"), this), "Button6");
    Button6->setGeometry(8, kSearchTop, 121, 25);
    Button6->setEnabled(false);
    connect(Button6, &QPushButton::clicked, this, [this] { Button6Click(); });

    // A few pixels left of the grid's 136: the fallback face runs a little wider
    // than the original one, and the colon must not hide under the list.
    auto* searchLabel =
        MakeLabel(QStringLiteral("Suche nach:"), this, {.at = QPoint(132, kSearchTop + 4)});
    ComboBox1 = Named(new QComboBox(this), "ComboBox1");
    ComboBox1->addItems({QStringLiteral("Translation"), QStringLiteral("Lektion"),
                         QStringLiteral("Typ"), QStringLiteral("Beschreibung"),
                         QStringLiteral("Hepburn")});
    ComboBox1->setCurrentIndex(0);
    ComboBox1->setGeometry(200, kSearchTop, 145, kEditHeight);
    searchLabel->setBuddy(ComboBox1);

    Edit2 = Named(new QLineEdit(this), "Edit2");
    Edit2->setToolTip(kSearchHint);
    Edit2->setPlaceholderText(kSearchHint);
    Edit2->setGeometry(kSearchEditLeft, kSearchTop, 200, kEditHeight);

    MemoryLabel = Named(new QLabel(this), "MemoryLabel");
    MemoryLabel->setGeometry(12, kSearchTop + 32, 550, 17);
    MemoryLabel->setToolTip(QStringLiteral("Wie sicher Sie die Vokabel nach dem Gedächtnismodell gerade erinnern, "
                                           "und wann sie fällig wird."));
    Button7 = Named(new QPushButton(QStringLiteral("Suchen"), this), "Button7");
    Button7->setGeometry(width() - kRightMargin - kButtonWidth, kSearchTop, kButtonWidth, 25);
    connect(Button7, &QPushButton::clicked, this, [this] { Button7Click(); });
    connect(Edit2, &QLineEdit::returnPressed, Button7, &QPushButton::click);
}

// The three columns follow the window's width.
void BrowsePage::applyColumns(const platform::ColumnLayout& columns) {
    const int a = columns.a;
    for (QWidget* w : {static_cast<QWidget*>(DBEdit4), static_cast<QWidget*>(DBEdit1),
                       static_cast<QWidget*>(DBEdit2), static_cast<QWidget*>(DBEdit15),
                       static_cast<QWidget*>(DBRichEdit12)})
        Place(w, columns.c1, a);
    for (QWidget* w : {static_cast<QWidget*>(DBEdit5), static_cast<QWidget*>(DBEdit6),
                       static_cast<QWidget*>(DBEdit3), static_cast<QWidget*>(DBEdit16),
                       static_cast<QWidget*>(DBRichEdit11)})
        Place(w, columns.c2, a);
    for (QLabel* l : {translation2Label_, dateAskedLabel_, wrongLabel_, typLabel_, kanaLabel_})
        l->move(columns.c2, l->y());
    for (QWidget* w : {static_cast<QWidget*>(DBEdit14), static_cast<QWidget*>(DBEdit17),
                       static_cast<QWidget*>(Edit6), static_cast<QWidget*>(DBRichEdit9)})
        Place(w, columns.c3, a);
    for (QWidget* w : {static_cast<QWidget*>(DBCheckBox2), static_cast<QWidget*>(DBCheckBox1),
                       static_cast<QWidget*>(accentLabel_), static_cast<QWidget*>(hepburnLabel_),
                       static_cast<QWidget*>(translation3Label_), static_cast<QWidget*>(ratioLabel_)})
        w->move(columns.c3, w->y());
    // The note spans the three columns: 545 wide at the smallest window.
    Place(DBEdit7, columns.c1, columns.c3 + a - columns.c1 - 2);
    placeAnchored();
}

void BrowsePage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeAnchored();
}

// The frame and the search edit stretch with the page; "Suchen" keeps its
// distance to the right edge.
void BrowsePage::placeAnchored() {
    const int w = width();
    frame_->setGeometry(8, 72, std::max(0, w - 2 * kRightMargin), 329);
    const int buttonLeft = std::max(kSearchEditLeft + 8, w - kRightMargin - kButtonWidth);
    Button7->move(buttonLeft, kSearchTop);
    Edit2->setGeometry(kSearchEditLeft, kSearchTop, buttonLeft - kRightMargin - kSearchEditLeft,
                       kEditHeight);
    MemoryLabel->setGeometry(12, kSearchTop + 32, std::max(0, w - 12 - kRightMargin), MemoryLabel->height());
}

}  // namespace morvanta::entry

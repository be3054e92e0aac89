#include "quiz/quiz_page.h"

#include <initializer_list>
#include <utility>

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QKeyEvent>
#include <QResizeEvent>
#include <QTimer>

#include "platform/db_controls.h"
#include "platform/fonts.h"
#include "platform/guard.h"
#include "platform/labels.h"
#include "platform/romaji_input.h"
#include "core/quiz/japanese_answer.h"

namespace morvanta::quiz {

namespace {

// Distance of the right-anchored controls to the page's right edge.
constexpr int kRightGap = 20;
// The "Anzeigen" boxes are at least this size and end at the right edge of
// their column or page; a wider font widens them leftwards and heightens them
// upwards, so they never reach into the frame below.
constexpr QSize kLeastShowBox{65, 17};
constexpr int kFirstShowRowTop = 78;  // the boxes of the Kanji, kana and Hepburn columns

QCheckBox* MakeShowBox(QWidget* parent, const char* name, bool checked, int top) {
    auto* box = new QCheckBox(QStringLiteral("Anzeigen"), parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(checked);
    const QSize size = kLeastShowBox.expandedTo(box->sizeHint());
    box->setGeometry(0, top + kLeastShowBox.height() - size.height(), size.width(), size.height());
    return box;
}

QFrame* MakeFrame(QWidget* parent, const char* name) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    return frame;
}

// The view fills its frame inside the frame's border.
void PlaceInFrame(QFrame* frame, QWidget* view, int left, int top, int width, int height) {
    frame->setGeometry(left, top, width, height);
    view->setGeometry(2, 2, width - 4, height - 4);
}

}  // namespace

QuizPage::QuizPage(const platform::QuizContext& context, QuizState& state, QWidget* parent)
    : QWidget(parent), context_(context), state_(state) {
    buildDisplays();
    applyColumns(platform::ComputeColumns(586));
    sourceToken_ = context_.DataSource2.subscribe([this](store::DataEvent) { refreshPrompt(); });
    showDirection(stats::Direction::JapaneseToGerman);
}

QuizPage::~QuizPage() { context_.DataSource2.unsubscribe(sourceToken_); }

void QuizPage::showDirection(stats::Direction direction) {
    direction_ = direction;
    const bool german = direction == stats::Direction::GermanToJapanese;
    for (QWidget* japanese : std::initializer_list<QWidget*>{KanjiLabel, KanaLabel, HepburnLabel, KanjiFrame,
                                                             KanaFrame, HepburnFrame, CheckBox1, CheckBox2,
                                                             CheckBox3})
        japanese->setVisible(!german);
    GermanLabel->setVisible(german);
    GermanFrame->setVisible(german);
    AnswerLabel->setText(german ? QStringLiteral("Japanisch ? (Romaji, Kana oder Kanji)")
                                : QStringLiteral("Übersetzung ?"));
    AnswerLabel->adjustSize();
    Edit1->setFont(german ? platform::JapaneseFont(12) : font());
    TolerantBox->setToolTip(
        german ? QStringLiteral("Auch richtig: ein langer Vokal so oder so geschrieben (ou/oo/o-, ei/ee/e-), "
                                "Leerzeichen und ・ im Wort")
               : QStringLiteral("Auch richtig: Leerzeichen, Artikel, \"sich\"/\"zu\", Zusätze in Klammern, "
                                "ae/oe/ue/ss und ein Tippfehler in Wörtern ab sechs Buchstaben"));
    setRomajiOn(romajiWanted_);
    refreshPrompt();
}

void QuizPage::setRomajiOn(bool on) {
    romajiWanted_ = on;
    AnswerRomaji->setOn(on && direction_ == stats::Direction::GermanToJapanese);
}

void QuizPage::refreshPrompt() {
    if (direction_ != stats::Direction::GermanToJapanese) return;
    const store::Query& query = context_.Query1;
    if (!query.active() || query.isEmpty()) {
        GermanPromptLabel->clear();
        return;
    }
    const QString translations = QString::fromStdString(GermanPrompt(
        query.asString("Translation1"), query.asString("Translation2"), query.asString("Translation3")));
    const QString lesson = QString::fromStdString(query.asString("Lesson"));
    GermanPromptLabel->setText(QStringLiteral("<span style=\"font-size:16pt\">%1</span>%2")
                                   .arg(translations.toHtmlEscaped(),
                                        lesson.isEmpty() ? QString() : QStringLiteral("<br>Lektion ") + lesson));
}

void QuizPage::buildDisplays() {
    auto& source = context_.DataSource2;
    auto& dialogs = context_.dialogs;

    Label30 = new QLabel(this);
    Label30->setObjectName(QStringLiteral("Label30"));
    Label30->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    KanjiLabel = platform::MakeLabel(QStringLiteral("Kanji"), this, {.at = QPoint(12, 80)});
    KanaLabel =
        platform::MakeLabel(QStringLiteral("Hiragana / Katakana"), this, {.at = QPoint(197, 80)});
    HepburnLabel = platform::MakeLabel(QStringLiteral("Hepburn"), this, {.at = QPoint(382, 80)});
    AnswerLabel =
        platform::MakeLabel(QStringLiteral("Übersetzung ?"), this, {.at = QPoint(12, 160)});
    TypeLabel = platform::MakeLabel(QStringLiteral("Typ"), this, {.at = QPoint(382, 160)});
    NoteLabel = platform::MakeLabel(QStringLiteral("Beschreibung / Bemerkung"), this,
                                    {.at = QPoint(12, 256)});

    CheckBox1 = MakeShowBox(this, "CheckBox1", true, kFirstShowRowTop);
    CheckBox2 = MakeShowBox(this, "CheckBox2", true, kFirstShowRowTop);
    CheckBox3 = MakeShowBox(this, "CheckBox3", false, kFirstShowRowTop);
    CheckBox9 = MakeShowBox(this, "CheckBox9", true, 158);
    CheckBox4 = MakeShowBox(this, "CheckBox4", false, 254);

    KanjiFrame = MakeFrame(this, "KanjiFrame");
    KanaFrame = MakeFrame(this, "KanaFrame");
    HepburnFrame = MakeFrame(this, "HepburnFrame");
    TypeFrame = MakeFrame(this, "TypeFrame");

    DBRichEdit1 = new platform::DBRichEdit(source, QStringLiteral("Kanji"), dialogs, KanjiFrame);
    DBRichEdit2 = new platform::DBRichEdit(source, QStringLiteral("Hira-Kata"), dialogs, KanaFrame);
    DBRichEdit3 = new platform::DBRichEdit(source, QStringLiteral("Hepburn"), dialogs, HepburnFrame);
    DBRichEdit1->setObjectName(QStringLiteral("DBRichEdit1"));
    DBRichEdit2->setObjectName(QStringLiteral("DBRichEdit2"));
    DBRichEdit3->setObjectName(QStringLiteral("DBRichEdit3"));
    for (auto* view : {DBRichEdit1, DBRichEdit2, DBRichEdit3}) {
        view->setReadOnly(true);
        view->setFont(platform::JapaneseFont(16));
    }
    DBRichEdit3->setFont(platform::JapaneseFont(29));
    DBRichEdit3->setVisible(false);

    DBEdit13 = new platform::DBEdit(source, QStringLiteral("Type"), dialogs, TypeFrame);
    DBEdit13->setObjectName(QStringLiteral("DBEdit13"));
    DBEdit13->setEnabled(false);
    DBEdit8 = new platform::DBEdit(source, QStringLiteral("Note"), dialogs, this);
    DBEdit8->setObjectName(QStringLiteral("DBEdit8"));
    DBEdit8->setVisible(false);

    // Hidden fields of the booking.
    DBEdit9 = new platform::DBEdit(source, QStringLiteral("DateAsked"), dialogs, this);
    DBEdit10 = new platform::DBEdit(source, QStringLiteral("NumberAsked"), dialogs, this);
    DBEdit11 = new platform::DBEdit(source, QStringLiteral("NumberWrong"), dialogs, this);
    DBEdit12 = new platform::DBEdit(source, QStringLiteral("Marked"), dialogs, this);
    DBEdit9->setObjectName(QStringLiteral("DBEdit9"));
    DBEdit10->setObjectName(QStringLiteral("DBEdit10"));
    DBEdit11->setObjectName(QStringLiteral("DBEdit11"));
    DBEdit12->setObjectName(QStringLiteral("DBEdit12"));
    for (auto* hidden : {DBEdit9, DBEdit10, DBEdit11, DBEdit12}) {
        hidden->setVisible(false);
        hidden->setReadOnly(true);
    }

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Button2 = new QPushButton(QStringLiteral("OK"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setDefault(true);
    TolerantBox = new QCheckBox(QStringLiteral("Tolerant prüfen"), this);
    TolerantBox->setObjectName(QStringLiteral("TolerantBox"));
    TolerantBox->setGeometry(12, 216, 130, 21);
    GermanLabel = platform::MakeLabel(QStringLiteral("Deutsch"), this, {.at = QPoint(12, 80)});
    GermanFrame = MakeFrame(this, "GermanFrame");
    GermanPromptLabel = new QLabel(GermanFrame);
    GermanPromptLabel->setObjectName(QStringLiteral("GermanPromptLabel"));
    GermanPromptLabel->setTextFormat(Qt::RichText);
    GermanPromptLabel->setWordWrap(true);
    GermanPromptLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    AnswerRomaji = new platform::RomajiInput(Edit1);
    FeedbackLabel = new QLabel(this);
    FeedbackLabel->setObjectName(QStringLiteral("FeedbackLabel"));
    FeedbackLabel->setGeometry(150, 216, 300, 21);

    connect(CheckBox1, &QCheckBox::clicked, this, [this] { CheckBox1Click(); });
    connect(CheckBox2, &QCheckBox::clicked, this, [this] { CheckBox2Click(); });
    connect(CheckBox3, &QCheckBox::clicked, this, [this] { CheckBox3Click(); });
    connect(CheckBox4, &QCheckBox::clicked, this, [this] { CheckBox4Click(); });
    connect(CheckBox9, &QCheckBox::clicked, this, [this] { CheckBox9Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
}

QuizOptions QuizPage::options() const {
    QuizOptions o = options_ ? options_() : QuizOptions{};
    o.Tolerant = TolerantBox->isChecked();
    // A table that cannot be written is quizzed all the same, nothing booked.
    o.Book = context_.Query1.fileWritable();
    return o;
}

void QuizPage::showConfirmation(const QString& text) {
    FeedbackLabel->setText(text);
    FeedbackLabel->setStyleSheet(QStringLiteral("color: #1b7a1b; font-weight: bold;"));
    const int shown = ++confirmations_;
    QTimer::singleShot(2500, FeedbackLabel, [this, shown] {
        if (shown == confirmations_) FeedbackLabel->clear();  // a later answer keeps its own
    });
}

void QuizPage::keyPressEvent(QKeyEvent* event) {
    // The page is no dialog, so its default button is pressed here: Enter in the
    // answer field, on a check box or anywhere else the key is not used comes here.
    const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && modifiers == Qt::NoModifier) {
        if (Button2->isEnabled()) Button2->click();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void QuizPage::fillPopupMenu(QMenu* PopupMenu1) {
    AbfrageStatusSpeichern1 = PopupMenu1->addAction(QStringLiteral("Abfrage Status Speichern"));
    AbfrageStatusSpeichern1->setObjectName(QStringLiteral("AbfrageStatusSpeichern1"));
    AbfrageStatusLaden1 = PopupMenu1->addAction(QStringLiteral("Abfrage Status Laden"));
    AbfrageStatusLaden1->setObjectName(QStringLiteral("AbfrageStatusLaden1"));
    N1 = PopupMenu1->addSeparator();
    N1->setObjectName(QStringLiteral("N1"));
    connect(AbfrageStatusSpeichern1, &QAction::triggered, this,
            [this] { AbfrageStatusSpeichern1Click(); });
    connect(AbfrageStatusLaden1, &QAction::triggered, this, [this] { AbfrageStatusLaden1Click(); });
}

void QuizPage::applyColumns(const platform::ColumnLayout& c) {
    PlaceInFrame(KanjiFrame, DBRichEdit1, c.c1, 96, c.a, 57);
    Edit1->setGeometry(c.c1, 176, c.a, 21);
    CheckBox1->move(c.c1 + c.a - CheckBox1->width(), CheckBox1->y());

    PlaceInFrame(KanaFrame, DBRichEdit2, c.c2, 96, c.a, 57);
    KanaLabel->move(c.c2, KanaLabel->y());
    CheckBox2->move(c.c2 + c.a - CheckBox2->width(), CheckBox2->y());

    PlaceInFrame(GermanFrame, GermanPromptLabel, c.c1, 96, c.c3 + c.a - c.c1, 57);
    PlaceInFrame(TypeFrame, DBEdit13, c.c3, 176, c.a, 25);
    PlaceInFrame(HepburnFrame, DBRichEdit3, c.c3, 96, c.a, 57);
    TypeLabel->move(c.c3, TypeLabel->y());
    HepburnLabel->move(c.c3, HepburnLabel->y());
    placeFirstShowRow();
}

void QuizPage::placeFirstShowRow() {
    constexpr int kGap = 4;
    bool crowded = false;
    for (auto [box, label] : {std::pair{CheckBox1, KanjiLabel}, std::pair{CheckBox2, KanaLabel},
                              std::pair{CheckBox3, HepburnLabel}})
        crowded = crowded || box->x() < label->x() + label->width() + kGap;
    const int besideLabels = kFirstShowRowTop + kLeastShowBox.height() - CheckBox1->height();
    const int top = crowded ? KanjiLabel->y() - CheckBox1->height() : besideLabels;
    for (QCheckBox* box : {CheckBox1, CheckBox2, CheckBox3}) box->move(box->x(), top);
}

void QuizPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int right = width() - kRightGap;
    Label30->setGeometry(right - 200, 16, 200, 17);
    for (QCheckBox* box : {CheckBox3, CheckBox9, CheckBox4})
        box->move(right - box->width(), box->y());
    placeFirstShowRow();
    Button2->setGeometry(right - 75, 216, 75, 25);
    FeedbackLabel->setGeometry(150, 216, std::max(40, right - 85 - 150), 21);
    DBEdit8->setGeometry(12, 272, std::max(40, right - 12), 21);
}

void QuizPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Back from the browse page, a word deleted there is not shown.
    platform::Guarded(context_.dialogs, [this] { dropDeletedWords(); });
    Edit1->setFocus();
}

void QuizPage::CheckBox1Click() { DBRichEdit1->setVisible(CheckBox1->isChecked()); }
void QuizPage::CheckBox2Click() { DBRichEdit2->setVisible(CheckBox2->isChecked()); }
void QuizPage::CheckBox3Click() { DBRichEdit3->setVisible(CheckBox3->isChecked()); }
void QuizPage::CheckBox4Click() { DBEdit8->setVisible(CheckBox4->isChecked()); }
void QuizPage::CheckBox9Click() { DBEdit13->setVisible(CheckBox9->isChecked()); }

}  // namespace morvanta::quiz

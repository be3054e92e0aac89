// Load runs on the largest table the quiz takes (65,535 words): a quiz of 1,000
// answers, a special import of 100,000 words, an XML export and import of the
// whole selection. Slow, so they run only with MORVANTA_LOAD_TESTS=1 (meant
// for the sanitizer build: ./scripts/build --sanitize, then the e2e program).

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <cstdlib>

#include "entry/entry_page.h"
#include "exchange/export_page.h"
#include "exchange/xml_export_group.h"
#include "exchange/xml_form.h"
#include "fault_support.h"
#include "quiz/quiz_page.h"
#include "support/form_fixture.h"
#include "support/temp_table.h"

namespace morvanta::fault {
namespace {

namespace fs = std::filesystem;
constexpr int kLargest = 65535;

class Load : public testing::FormFixture {
protected:
    void SetUp() override {
        if (std::getenv("MORVANTA_LOAD_TESTS") == nullptr) GTEST_SKIP() << "set MORVANTA_LOAD_TESTS=1";
        FormFixture::SetUp();
    }
    // The largest table, every word marked, so the quiz selection holds all of it.
    void largestTable() {
        test::InsertGeneratedWords(tablePath(), kLargest);
        auto db = store::Database::open(tablePath());
        db->exec("UPDATE Vokabel SET Marked = 1");
    }
    fs::path file(const char* name) const { return fs::path(dir.path().toStdString()) / name; }
};

TEST_F(Load, QuizOfAThousandAnswersOnTheLargestTable) {
    largestTable();
    const long long askedBefore = TableNumber(tablePath(), "SELECT total(NumberAsked) FROM Vokabel");
    app::TForm1& f = makeForm();
    ASSERT_TRUE(dialogs.messages.isEmpty() ||
                (dialogs.messages.size() == 1 &&
                 dialogs.texts()[0].startsWith(QStringLiteral("Created Database Alias."))));
    dialogs.clear();
    ASSERT_EQ(f.quizState.SelectionCount, kLargest);
    ASSERT_EQ(f.quizState.AskQueue.size(), kLargest);
    for (int n = 0; n < 1000; ++n) {
        const bool right = n % 4 != 0;
        f.quizPage->Edit1->setText(right ? QString::fromStdString(f.Query1.asString("Translation1"))
                                         : QStringLiteral("falsch"));
        f.quizPage->Button2->click();
    }
    // Only the wrong answers speak, each with the right translation.
    ASSERT_EQ(dialogs.messages.size(), 250);
    for (const auto& m : dialogs.messages)
        ASSERT_TRUE(m.text.startsWith(QStringLiteral("Nein - Die Übersetzung war :"))) << m.text.toStdString();
    EXPECT_EQ(f.quizState.RightCount, 750);
    EXPECT_EQ(f.quizState.WrongCount, 250);
    form.reset();
    EXPECT_EQ(TableNumber(tablePath(), "SELECT total(NumberAsked) FROM Vokabel"), askedBefore + 1000);
    EXPECT_EQ(TableNumber(tablePath(), "SELECT count(*) FROM Vokabel WHERE Marked = 0"), 750);
    EXPECT_TRUE(TableIsSound(tablePath()));
}

TEST_F(Load, SpecialImportOfAHundredThousandWords) {
    std::string text;
    for (int i = 0; i < 100000; ++i)
        text += "#\r\n\\'8c\\'ea\r\n\\'82\\'a9\\'82\\'c8\r\nWort " + std::to_string(i) +
                "; Begriff, Ausdruck\r\nMeishi\r\nBemerkung\r\n" + std::to_string(i % 30 + 1) + "\r\n";
    WriteBytes(file("import.txt"), text);
    app::TForm1& f = makeForm();
    dialogs.clear();
    dialogs.fileAnswers << QString::fromStdString(file("import.txt").string());
    f.exportPage->Button11Click();
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("Es Wurden 0 Vokabeln nicht importiert")});
    EXPECT_EQ(f.Table1.recordCount(), 100000);
    form.reset();
    EXPECT_EQ(TableNumber(tablePath(), "SELECT count(DISTINCT Translation1) FROM Vokabel"), 100000);
    EXPECT_TRUE(TableIsSound(tablePath()));
}

// Answers the export's options dialog with OK once it is shown.
void AcceptXmlForm(int tries = 200) {
    QTimer::singleShot(0, [tries] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<exchange::TXMLForm*>(w);
            if (dialog == nullptr || !dialog->isVisible()) continue;
            dialog->TntButton1->click();
            return;
        }
        if (tries > 0) AcceptXmlForm(tries - 1);
    });
}

TEST_F(Load, XmlExportAndImportOfTheLargestSelection) {
    largestTable();
    app::TForm1& f = makeForm();
    dialogs.clear();
    ASSERT_EQ(f.Query1.recordCount(), kLargest);
    f.Query1.last();
    const std::string lastWord = f.Query1.asString("Hepburn");
    f.Query1.first();

    const QString xml = QString::fromStdString(file("liste.xml").string());
    AcceptXmlForm();
    dialogs.fileAnswers = {xml};
    f.exportPage->TntGroupBox1->TntButton1->click();
    ASSERT_TRUE(dialogs.messages.isEmpty()) << dialogs.texts().join(u'|').toStdString();
    QFile written(xml);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    const QString content = QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + 2),
                                               (bytes.size() - 2) / 2);
    EXPECT_EQ(content.count(QStringLiteral("<word xsi:type=")), kLargest);

    // The import walks every word into the entry page; the last one stays there.
    dialogs.fileAnswers = {xml};
    f.exportPage->TntGroupBox1->TntButton2->click();
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.texts().join(u'|').toStdString();
    EXPECT_EQ(f.entryPage->HepburnEdit->text().toStdString(), lastWord);
    form.reset();
    EXPECT_EQ(WordCount(tablePath()), kLargest);
}

}  // namespace
}  // namespace morvanta::fault

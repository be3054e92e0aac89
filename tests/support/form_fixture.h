#pragma once
// Builds the main window offscreen on a fresh vocabulary table in a temporary
// folder, with scripted dialogs, a fixed clock and a seeded random generator.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <filesystem>
#include <memory>

#include "app/tform1.h"
#include "platform/dialogs.h"
#include "core/quiz/random_source.h"
#include "store/date_time.h"
#include "store/vocabulary.h"

namespace morvanta::testing {

// A clock that stands still unless a test moves it.
class FixedClock : public store::Clock {
public:
    store::DateTime now() const override { return time; }
    store::DateTime time{2024, 3, 15, 10, 30, 0, 0};
};

class FormFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        programDir = dir.path() + QStringLiteral("/program");
        ASSERT_TRUE(QDir().mkpath(programDir + QStringLiteral("/Database")));
        store::CreateVocabularyFile(tablePath());
    }
    void TearDown() override { form.reset(); }

    std::filesystem::path tablePath() const {
        return std::filesystem::path(programDir.toStdString()) / "Database" / "Vokabel.DB";
    }
    std::filesystem::path configPath() const {
        return std::filesystem::path(dir.path().toStdString()) / "config" / "engine.ini";
    }

    app::TForm1& makeForm() {
        form.reset();
        form = std::make_unique<app::TForm1>(
            app::TForm1Options{configPath(), programDir, &dialogs, &clock, &random});
        return *form;
    }

    QTemporaryDir dir;
    QString programDir;
    platform::ScriptedDialogs dialogs;
    FixedClock clock;
    quiz::StdRandom random{42};
    std::unique_ptr<app::TForm1> form;
};

}  // namespace morvanta::testing

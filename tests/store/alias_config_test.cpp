#include "store/alias_config.h"

#include <gtest/gtest.h>

#include <fstream>

#include "store/engine_error.h"
#include "support/temp_table.h"

namespace morvanta::store {
namespace {

namespace fs = std::filesystem;

TEST(AliasConfig, FirstCreationThenKnownOnTheNextRun) {
    test::TempFolder folder;
    fs::path file = folder.path() / "sub" / "dir" / "engine.ini";
    {
        AliasConfig config(file);
        config.setConfigModePersistent();
        EXPECT_FALSE(config.isAliasKnown("Vokabel"));
        config.addStandardAlias("Vokabel", {"PATH=/opt/Morvanta/Database", "DEFAULT DRIVER=PARADOX"});
        EXPECT_THROW(config.addStandardAlias("vokabel", {"PATH=/x"}), EngineError);
        config.saveConfig();
    }
    AliasConfig again(file);
    again.setConfigModePersistent();
    EXPECT_TRUE(again.isAliasKnown("Vokabel"));
    EXPECT_TRUE(again.isAliasKnown("VOKABEL"));
    auto params = again.aliasParams("Vokabel");
    ASSERT_TRUE(params);
    EXPECT_EQ(params->at("PATH"), "/opt/Morvanta/Database");
    EXPECT_EQ(params->at("DEFAULT DRIVER"), "PARADOX");
    EXPECT_THROW(again.addStandardAlias("Other", {"PATH"}), EngineError);
    EXPECT_THROW(again.addStandardAlias("Bad]", {"PATH=/x"}), EngineError);
}

TEST(AliasConfig, MalformedFileIsAnErrorNotOverwritten) {
    test::TempFolder folder;
    fs::path file = folder.path() / "engine.ini";
    std::ofstream(file) << "[Vokabel]\nPATH=/x\nthis line is garbage\n";
    AliasConfig config(file);
    try {
        config.setConfigModePersistent();
        FAIL();
    } catch (const EngineError& e) {
        EXPECT_NE(std::string(e.what()).find("Zeile 3"), std::string::npos) << e.what();
    }
    std::ofstream(file) << "PATH=/x\n";
    EXPECT_THROW(AliasConfig(file).setConfigModePersistent(), EngineError);
}

TEST(AliasConfig, UnwritableFolderIsAnError) {
    test::TempFolder folder;
    std::ofstream(folder.path() / "plain-file") << "x";
    AliasConfig config(folder.path() / "plain-file" / "engine.ini");
    config.setConfigModePersistent();
    config.addStandardAlias("Vokabel", {"PATH=/x"});
    EXPECT_THROW(config.saveConfig(), EngineError);
}

TEST(AliasConfig, DefaultPathHonoursXdgConfigHome) {
    const char* old = std::getenv("XDG_CONFIG_HOME");
    std::string saved = old ? old : "";
    ::setenv("XDG_CONFIG_HOME", "/tmp/xdg-test", 1);
    EXPECT_EQ(AliasConfig::defaultPath(), fs::path("/tmp/xdg-test/Morvanta/engine.ini"));
    if (old) ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    else ::unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace morvanta::store

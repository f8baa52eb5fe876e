#include <gtest/gtest.h>

#include "platform/sim/sim_process_services.h"
#include "platform/sim/sim_settings_store.h"

namespace qov::sim {
namespace {

TEST(SimSettingsStore, KeysAreSeparatedByApplicationAndSection) {
    SimSettingsStore store;
    store.SaveSetting("A", "S", "k", "1");
    store.SaveSetting("A", "T", "k", "2");
    store.SaveSetting("A", "S", "k", "3");  // replaces
    EXPECT_EQ(store.GetSetting("A", "S", "k", "x"), "3");
    EXPECT_EQ(store.GetSetting("A", "T", "k", "x"), "2");
    EXPECT_EQ(store.GetSetting("B", "S", "k", "x"), "x");
    EXPECT_EQ(store.KeyCount("A", "S"), 1u);
    EXPECT_EQ(store.Writes(), 3);
}

TEST(SimSettingsStore, PresetIsNotAWriteAndEmptyValueIsNotMissing) {
    SimSettingsStore store;
    store.Preset("A", "S", "k", "");
    EXPECT_EQ(store.Writes(), 0);
    EXPECT_EQ(store.GetSetting("A", "S", "k", "fallback"), "");
    EXPECT_EQ(store.Value("A", "S", "k"), std::optional<std::string>(""));
    EXPECT_FALSE(store.Value("A", "S", "other").has_value());
}

TEST(SimProcessServices, RecordsCallsAndAnswersAsTold) {
    SimProcessServices services;
    EXPECT_TRUE(services.StartProgram("notepad.exe"));
    services.SetStartProgramResult(false);
    EXPECT_FALSE(services.StartProgram("missing.exe"));
    EXPECT_EQ(services.StartedPrograms(),
              (std::vector<std::string>{"notepad.exe", "missing.exe"}));
    services.SetChangeDirectoryResult(false);
    EXPECT_FALSE(services.ChangeDirectory("C:\\nowhere"));
    EXPECT_EQ(services.CurrentDirectory(), "");
}

}  // namespace
}  // namespace qov::sim

#include "core/settings/script_store_persistence.h"

#include <gtest/gtest.h>

#include <fstream>

#include "core/settings/memory_value_store.h"
#include "core/settings/script_store_format.h"
#include "core/settings/settings_test_fakes.h"
#include "core/settings/value_names.h"

namespace tidemark {
namespace {

namespace fs = std::filesystem;

class ScriptStorePersistenceTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = fs::temp_directory_path() /
                   ("tidemark-scripts-" +
                    std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_folder);
        m_legacy = m_folder / "tmscript.bin";
    }
    void TearDown() override { fs::remove_all(m_folder); }

    void WriteLegacy(const std::vector<std::uint8_t>& bytes) {
        std::ofstream out(m_legacy, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }

    static ScriptStore Sample() {
        ScriptStore store;
        store.Append(ScriptEntry{"Log", "log.js", 1});
        store.Append(ScriptEntry{"Tpl", "tpl.js", ScriptEntry::kTemplate});
        return store;
    }

    fs::path m_folder;
    fs::path m_legacy;
    MemoryValueStore m_values;
    testing::CountingScriptNotifier m_notifier;
};

TEST_F(ScriptStorePersistenceTest, MigratesTheLegacyFileAndWritesTheValue) {
    WriteLegacy(WriteScriptStore(Sample()));
    ScriptStore loaded = LoadScriptStore(m_values, m_legacy, m_notifier);
    EXPECT_EQ(loaded, Sample());
    EXPECT_EQ(m_values.QueryBinary(ValueName::kScriptStore), WriteScriptStore(Sample()));
    EXPECT_EQ(m_notifier.Saves, 1);

    // From now on the value is read and the file ignored.
    WriteLegacy(WriteScriptStore(ScriptStore{}));
    EXPECT_EQ(LoadScriptStore(m_values, m_legacy, m_notifier), Sample());
    EXPECT_EQ(m_notifier.Saves, 1);
}

TEST_F(ScriptStorePersistenceTest, WithoutValueOrFileTheStoreIsEmptyAndNothingIsWritten) {
    EXPECT_TRUE(LoadScriptStore(m_values, m_legacy, m_notifier).Empty());
    EXPECT_TRUE(LoadScriptStore(m_values, m_folder, m_notifier).Empty());  // a folder, not a file
    EXPECT_FALSE(m_values.QueryBinary(ValueName::kScriptStore));
    EXPECT_EQ(m_notifier.Saves, 0);
}

TEST_F(ScriptStorePersistenceTest, AnUnreadableValueGivesAnEmptyStore) {
    m_values.SetBinary(ValueName::kScriptStore, std::vector<std::uint8_t>{'!', 'T', 'M', 'S', 9});
    WriteLegacy(WriteScriptStore(Sample()));  // not consulted: the value exists
    EXPECT_TRUE(LoadScriptStore(m_values, m_legacy, m_notifier).Empty());
    EXPECT_EQ(m_notifier.Saves, 0);
}

TEST_F(ScriptStorePersistenceTest, AnEmptyValueCountsAsMissing) {
    m_values.SetBinary(ValueName::kScriptStore, std::vector<std::uint8_t>{});
    WriteLegacy(WriteScriptStore(Sample()));
    EXPECT_EQ(LoadScriptStore(m_values, m_legacy, m_notifier), Sample());
}

TEST_F(ScriptStorePersistenceTest, SaveWritesTheStoredFormAndNotifies) {
    EXPECT_TRUE(SaveScriptStore(m_values, Sample(), m_notifier));
    EXPECT_EQ(m_values.QueryBinary(ValueName::kScriptStore), WriteScriptStore(Sample()));
    EXPECT_EQ(m_notifier.Saves, 1);
    EXPECT_EQ(LoadScriptStore(m_values, m_legacy, m_notifier), Sample());
}

}  // namespace
}  // namespace tidemark

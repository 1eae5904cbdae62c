#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "storage/rules.h"
#include "storage_test_support.h"

namespace moritelda {
namespace {

using storagetest::StorageWindows;
using storagetest::TempDir;

// The table is large; each test builds a fresh one as at process start.
std::unique_ptr<RuleTable> FreshTable() { return std::make_unique<RuleTable>(); }

std::vector<std::string> Patterns(const RuleTable& table) {
    std::vector<std::string> patterns;
    for (int slot = 0; slot < table.ruleCount; ++slot) {
        patterns.push_back(table.slots[slot].inUse ? table.slots[slot].pattern : "<free>");
    }
    return patterns;
}

TEST(RuleTable, DeletedSlotIsReusedInPlaceAndTheHighWaterMarkStays) {
    auto table = FreshTable();
    ASSERT_TRUE(AddRule(*table, "A", 'T', 1, 2));
    ASSERT_TRUE(AddRule(*table, "B", 'T', 2, 2));
    ASSERT_TRUE(AddRule(*table, "C", 'C', 4, 1));
    DeleteRule(*table, 1);
    EXPECT_EQ(Patterns(*table), (std::vector<std::string>{"A", "<free>", "C"}));
    EXPECT_EQ(table->slots[1].mask, 0);
    EXPECT_EQ(table->slots[1].kind, 0);

    ASSERT_TRUE(AddRule(*table, "D", 'T', 8, 2));
    EXPECT_EQ(Patterns(*table), (std::vector<std::string>{"A", "D", "C"}));
    EXPECT_EQ(table->ruleCount, 3);

    SwapRules(*table, 0, 2);
    EXPECT_EQ(FormatRules(*table), "AddClass C,4,1\r\nAddTitle D,8,2\r\nAddTitle A,1,2\r\n");
    EXPECT_EQ(table->ruleCount, 3);
}

TEST(RuleTable, FullTableRefusesAndAFreedSlotTakesTheNextRule) {
    auto table = FreshTable();
    for (int i = 0; i < MAX_RULES; ++i) ASSERT_TRUE(AddRule(*table, std::to_string(i).c_str(), 'T', 1, 1));
    EXPECT_FALSE(AddRule(*table, "one too many", 'T', 2, 2));
    EXPECT_EQ(table->ruleCount, MAX_RULES);
    EXPECT_EQ(table->slots[MAX_RULES - 1].pattern, "255");

    DeleteRule(*table, 10);
    EXPECT_TRUE(AddRule(*table, "late", 'C', 2, 2));
    EXPECT_EQ(table->slots[10].pattern, "late");
}

TEST(RuleMatching, ModeAndKindDecideWhatIsCompared) {
    struct Case {
        char kind;
        const char* pattern;
        int mode;
        const char* title;
        const char* className;
        bool matches;
    };
    const Case cases[] = {
        {'T', "Report", 2, "Monthly Report - Editor", "Frame", true},
        {'T', "Report", 1, "Monthly Report - Editor", "Frame", false},
        {'T', "report", 2, "Monthly Report - Editor", "Frame", false},
        {'T', "report", 1, "report", "Frame", true},
        {'T', "Frame", 2, "Monthly Report - Editor", "Frame", false},  // a title rule ignores the class
        {'X', "Editor", 2, "Monthly Report - Editor", "Frame", true},   // any kind but 'C' is a title rule
        {'C', "Frame", 1, "Frame", "FrameWnd", false},                  // a class rule ignores the title
        {'C', "Frame", 2, "", "FrameWnd", true},
        {'C', "", 2, "", "Frame", true},
        {'C', "", 1, "", "Frame", false},
        {'T', "", 2, "", "Frame", true},
        {'T', "Editor", 0, "Editor", "Frame", false},
        {'T', "Editor", 3, "Editor", "Frame", false},
        {'T', "Editor", -1, "Editor", "Frame", false},
    };
    for (const Case& c : cases) {
        WindowRule rule;
        rule.kind = c.kind;
        rule.pattern = c.pattern;
        rule.mode = static_cast<std::int8_t>(c.mode);
        rule.inUse = 1;
        EXPECT_EQ(RuleMatches(rule, c.title, c.className), c.matches)
            << c.kind << " '" << c.pattern << "' mode " << c.mode << " vs '" << c.title << "' / '" << c.className << "'";
    }
}

class RuleLookup : public ::testing::Test {
protected:
    static constexpr WindowHandle EDITOR = 0x10;
    static constexpr WindowHandle OTHER = 0x20;
    static constexpr WindowHandle GONE = 0x30;

    void SetUp() override {
        windows.windows[EDITOR] = {"Monthly Report - Editor", "EditorFrame"};
        windows.windows[OTHER] = {"Calculator", "CalcFrame"};
    }
    std::unique_ptr<RuleTable> table = FreshTable();
    StorageWindows windows;
};

TEST_F(RuleLookup, FirstMatchingRuleGivesTheMaskAndIgnoreRulesWinAnywhere) {
    AddRule(*table, "Nothing like it", 'T', 1, 2);
    AddRule(*table, "Editor", 'T', 2, 2);
    AddRule(*table, "Report", 'T', 4, 2);
    AddRule(*table, "Calc", 'T', 0, 2);

    EXPECT_EQ(FindRuleMask(*table, windows, EDITOR), 2);
    EXPECT_EQ(FindRuleMask(*table, windows, OTHER), 0);  // a mask of 0 is a match all the same
    EXPECT_EQ(FindRuleMask(*table, windows, GONE), NO_RULE);
    EXPECT_EQ(IsIgnoredWindow(*table, windows, EDITOR), 0);

    // Fill the table up to its last slot, which holds the ignore rule.
    while (AddRule(*table, "Editor", 'T', 2, 2) && table->ruleCount < MAX_RULES - 1) {
    }
    ASSERT_EQ(table->ruleCount, MAX_RULES - 1);
    ASSERT_TRUE(AddRule(*table, "EditorFrame", 'C', RULE_IGNORE, 1));
    EXPECT_EQ(IsIgnoredWindow(*table, windows, EDITOR), 1);
    EXPECT_EQ(IsIgnoredWindow(*table, windows, OTHER), 0);
    EXPECT_EQ(FindRuleMask(*table, windows, EDITOR), 2);

    DeleteRule(*table, 1);  // the first placing rule goes; an identical one further down takes over
    EXPECT_EQ(FindRuleMask(*table, windows, EDITOR), 4);

    for (int slot = 0; slot < MAX_RULES; ++slot) DeleteRule(*table, slot);
    EXPECT_EQ(table->ruleCount, MAX_RULES);
    EXPECT_EQ(FindRuleMask(*table, windows, EDITOR), NO_RULE);
    EXPECT_EQ(IsIgnoredWindow(*table, windows, EDITOR), 0);
}

TEST_F(RuleLookup, AsksForTitleAndClassOnceWithTheSystemBuffers) {
    for (int i = 0; i < 5; ++i) AddRule(*table, "no match", i % 2 ? 'C' : 'T', RULE_IGNORE, 2);

    for (auto lookup : {+[](RuleTable& t, WindowSystem& w) { FindRuleMask(t, w, EDITOR); },
                        +[](RuleTable& t, WindowSystem& w) { IsIgnoredWindow(t, w, EDITOR); }}) {
        windows.titleAsks = windows.classAsks = 0;
        lookup(*table, windows);
        EXPECT_EQ(windows.titleAsks, 1);
        EXPECT_EQ(windows.classAsks, 1);
        EXPECT_EQ(windows.lastTitleBuffer, 256);
        EXPECT_EQ(windows.lastClassBuffer, 100);
    }
}

TEST_F(RuleLookup, LongTitleIsComparedAsItsFirst255Bytes) {
    const std::string title(300, 't');
    windows.windows[EDITOR].title = title;
    AddRule(*table, title.c_str(), 'T', 2, 1);
    EXPECT_EQ(FindRuleMask(*table, windows, EDITOR), NO_RULE);
    AddRule(*table, title.substr(0, 255).c_str(), 'T', 4, 1);
    EXPECT_EQ(FindRuleMask(*table, windows, EDITOR), 4);
}

class RuleFiles : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.Ok()); }
    std::string Path() const { return dir.File("wndrule.ini"); }
    TempDir dir;
};

TEST_F(RuleFiles, WritesEveryInUseRuleInSlotOrder) {
    auto table = FreshTable();
    AddRule(*table, "Report plan", 'T', 6, 2);
    AddRule(*table, "gone", 'T', 1, 1);
    AddRule(*table, "ExampleFrame", 'C', RULE_IGNORE, 1);
    AddRule(*table, "odd", 'X', 0, -3);
    DeleteRule(*table, 1);
    dir.Write("wndrule.ini", std::string(2000, 'x'));

    ASSERT_TRUE(SaveRules(*table, Path().c_str()));
    EXPECT_EQ(dir.Read("wndrule.ini"),
              "AddTitle Report plan,6,2\r\nAddClass ExampleFrame,-1,1\r\nAddTitle odd,0,-3\r\n");

    for (int slot = 0; slot < table->ruleCount; ++slot) DeleteRule(*table, slot);
    ASSERT_TRUE(SaveRules(*table, Path().c_str()));
    EXPECT_EQ(dir.Read("wndrule.ini"), "");

    EXPECT_FALSE(SaveRules(*table, dir.File("no-such-directory/wndrule.ini").c_str()));
}

TEST_F(RuleFiles, ReadsRuleLinesAndWritesThemBack) {
    struct Expected {
        std::string pattern;
        char kind;
        std::int32_t mask;
        int mode;
    };
    struct Case {
        const char* name;
        std::string file;
        std::vector<Expected> rules;
        std::string writtenBack;
    };
    const std::string manyCommas = "x" + std::string(150, ',') + "y";
    const std::vector<Case> cases = {
        {"pattern with a comma", "AddTitle a, b,2,2\r\n", {{"a, b", 'T', 2, 2}}, "AddTitle a, b,2,2\r\n"},
        {"pattern of commas only", "AddClass ,,,-1,1\r\n", {{",,", 'C', -1, 1}}, "AddClass ,,,-1,1\r\n"},
        {"more commas than value slots", "AddTitle " + manyCommas + ",4,2\r\n", {{manyCommas, 'T', 4, 2}},
         "AddTitle " + manyCommas + ",4,2\r\n"},
        {"leading space", "AddTitle  x,1,2\r\n", {{" x", 'T', 1, 2}}, "AddTitle  x,1,2\r\n"},
        {"no values", "AddTitle x\r\n", {{"x", 'T', 0, 0}}, "AddTitle x,0,0\r\n"},
        {"no values, no newline", "AddClass x", {{"x", 'C', 0, 0}}, "AddClass x,0,0\r\n"},
        {"no mode", "AddTitle x,5\r\n", {{"x", 'T', 5, 0}}, "AddTitle x,5,0\r\n"},
        {"mode cut to 8 bits", "AddTitle x,1,258\r\nAddTitle y,1,255\r\n", {{"x", 'T', 1, 2}, {"y", 'T', 1, -1}},
         "AddTitle x,1,2\r\nAddTitle y,1,-1\r\n"},
        {"keys in any case, unknown keys skipped",
         "addtitle y,3,1\r\nFoo bar,1,1\r\nADDCLASS Z,1,2\r\nAddWindow w,1,1\r\n",
         {{"y", 'T', 3, 1}, {"Z", 'C', 1, 2}}, "AddTitle y,3,1\r\nAddClass Z,1,2\r\n"},
        {"equals and spaces inside a pattern", "AddTitle=A = B,8,1\r\n", {{"A = B", 'T', 8, 1}},
         "AddTitle A = B,8,1\r\n"},
    };
    for (const Case& c : cases) {
        dir.Write("wndrule.ini", c.file);
        auto table = FreshTable();
        LoadRules(*table, Path().c_str());
        ASSERT_EQ(table->ruleCount, static_cast<int>(c.rules.size())) << c.name;
        for (std::size_t i = 0; i < c.rules.size(); ++i) {
            const WindowRule& rule = table->slots[i];
            EXPECT_EQ(rule.inUse, 1) << c.name;
            EXPECT_EQ(rule.pattern, c.rules[i].pattern) << c.name;
            EXPECT_EQ(rule.kind, c.rules[i].kind) << c.name;
            EXPECT_EQ(rule.mask, c.rules[i].mask) << c.name;
            EXPECT_EQ(rule.mode, c.rules[i].mode) << c.name;
        }
        EXPECT_EQ(FormatRules(*table), c.writtenBack) << c.name;
    }
}

TEST_F(RuleFiles, RulesFromTheRulesPageComeBackIdentical) {
    const char* patterns[] = {"a, b", ",", ",x", "x,", "a,1,2", "", " lead", "\x83\x65\x83\x58\x83\x67 - Memo"};
    auto saved = FreshTable();
    std::int32_t mask = RULE_IGNORE;
    for (const char* pattern : patterns) {
        AddRule(*saved, pattern, mask % 2 ? 'C' : 'T', mask, static_cast<std::int8_t>(1 + (mask & 1)));
        ++mask;
    }
    ASSERT_TRUE(SaveRules(*saved, Path().c_str()));

    auto loaded = FreshTable();
    LoadRules(*loaded, Path().c_str());
    ASSERT_EQ(loaded->ruleCount, saved->ruleCount);
    for (int slot = 0; slot < saved->ruleCount; ++slot) {
        EXPECT_EQ(loaded->slots[slot].pattern, saved->slots[slot].pattern);
        EXPECT_EQ(loaded->slots[slot].kind, saved->slots[slot].kind);
        EXPECT_EQ(loaded->slots[slot].mask, saved->slots[slot].mask);
        EXPECT_EQ(loaded->slots[slot].mode, saved->slots[slot].mode);
    }
}

TEST_F(RuleFiles, MissingFileLeavesTheTableEmpty) {
    auto table = FreshTable();
    LoadRules(*table, Path().c_str());
    EXPECT_EQ(table->ruleCount, 0);
    EXPECT_TRUE(table->overflowLines.empty());
}

TEST_F(RuleFiles, NothingIsLostBeyondTheTableOrBeyondAnyBufferSize) {
    struct Case {
        const char* name;
        int lines;
        std::size_t patternLength;
    };
    const Case cases[] = {
        {"more lines than slots", 300, 8},
        {"long patterns, far beyond 1024 bytes in all", 12, 600},
    };
    for (const Case& c : cases) {
        std::string file;
        for (int i = 0; i < c.lines; ++i) {
            std::string pattern = std::to_string(i);
            pattern.resize(c.patternLength, i % 2 ? 'p' : ',');
            file += (i % 3 ? "AddTitle " : "AddClass ") + pattern + "," + std::to_string(i % 16) + "," +
                    std::to_string(1 + i % 2) + "\r\n";
        }
        dir.Write("wndrule.ini", file);
        auto table = FreshTable();
        LoadRules(*table, Path().c_str());
        EXPECT_EQ(table->ruleCount, std::min(c.lines, MAX_RULES)) << c.name;
        EXPECT_EQ(table->overflowLines.size(), static_cast<std::size_t>(std::max(0, c.lines - MAX_RULES))) << c.name;

        std::filesystem::remove(Path());
        ASSERT_TRUE(SaveRules(*table, Path().c_str())) << c.name;
        EXPECT_EQ(dir.Read("wndrule.ini"), file) << c.name;
    }
}

}  // namespace
}  // namespace moritelda

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "storage/line_records.h"
#include "storage_test_support.h"

namespace moritelda {
namespace {

struct Record {
    std::string key;
    std::vector<std::string> values;  // the values the line filled
    bool operator==(const Record& other) const { return key == other.key && values == other.values; }
};

void PrintTo(const Record& record, std::ostream* out) {
    *out << "{\"" << record.key << "\"";
    for (const std::string& value : record.values) *out << ", \"" << value << "\"";
    *out << "}";
}

struct Collected {
    std::vector<Record> records;
    bool unfilledSlotsEmpty = true;
};

int Collect(const char* key, const char* const* values, void* context) {
    auto& collected = *static_cast<Collected*>(context);
    const int count = CountLineValues(values);
    Record record{key, {}};
    for (int i = 0; i < MAX_LINE_VALUES; ++i) {
        if (i < count) record.values.push_back(values[i]);
        else if (values[i][0] != '\0') collected.unfilledSlotsEmpty = false;
    }
    collected.records.push_back(record);
    return 1;
}

std::vector<Record> Parse(const std::string& content) {
    Collected collected;
    ParseLineRecords(content, Collect, &collected);
    EXPECT_TRUE(collected.unfilledSlotsEmpty) << content;
    return collected.records;
}

struct ParseCase {
    const char* name;
    std::string content;
    std::vector<Record> expected;
};

std::string ManyValues() {
    std::string line = "K=0";
    for (int i = 1; i <= 104; ++i) line += "," + std::to_string(i);
    return line + "\r\n";
}

std::vector<std::string> ManyValuesExpected() {
    std::vector<std::string> values;
    for (int i = 0; i < 99; ++i) values.push_back(std::to_string(i));
    std::string last = "99";
    for (int i = 100; i <= 104; ++i) last += "," + std::to_string(i);
    values.push_back(last);
    return values;
}

TEST(LineRecords, SplitsRecordsAsTheFilesAreWritten) {
    const std::vector<ParseCase> cases = {
        {"empty file", "", {}},
        {"blank lines only", "\r\n  \r\n\t\n\n", {}},
        {"equals", "Start=1\r\n", {{"Start", {"1"}}}},
        {"space", "Start 1\r\n", {{"Start", {"1"}}}},
        {"tab", "Start\t1\r\n", {{"Start", {"1"}}}},
        {"spaced equals belongs to the value", "Start = 1\r\n", {{"Start", {"= 1"}}}},
        {"empty values", "HKCHG=1,,3,\r\n", {{"HKCHG", {"1", "", "3", ""}}}},
        {"last line without newline", "A=1\r\nB=2,3", {{"A", {"1"}}, {"B", {"2", "3"}}}},
        {"key alone at the end", "A=1\r\nKey", {{"A", {"1"}}, {"Key", {}}}},
        {"key alone with CR LF", "Key\r\nB=2\r\n", {{"Key", {""}}, {"B", {"2"}}}},
        {"key alone with bare LF eats the next line", "Key\nB=2,3\r\nC=4\r\n",
         {{"Key", {"B=2", "3"}}, {"C", {"4"}}}},
        {"bare LF lines", "A=1\nB=2\n", {{"A", {"1"}}, {"B", {"2"}}}},
        {"bare CR lines", "A=1\rB=2", {{"A", {"1"}}, {"B", {"2"}}}},
        {"leading blanks", "  \t Start=1\r\n", {{"Start", {"1"}}}},
        {"equals at line start gives an empty key", "=5\r\n", {{"", {"5"}}}},
        {"spaces and equals inside a value", "AddTitle A = B,1,2\r\n", {{"AddTitle", {"A = B", "1", "2"}}}},
        {"double-byte text passes", "AddTitle \x83\x65\x83\x58\x83\x67,1,2\r\n",
         {{"AddTitle", {"\x83\x65\x83\x58\x83\x67", "1", "2"}}}},
        {"zero byte in a value ends the data", std::string("A=1\r\nB=2\0C=3\r\n", 14), {{"A", {"1"}}, {"B", {"2"}}}},
        {"zero byte at a line start ends the data", std::string("A=1\r\n\0B=2\r\n", 11), {{"A", {"1"}}}},
        {"zero byte in a key ends the data", std::string("A=1\r\nB\0=2\r\n", 11), {{"A", {"1"}}, {"B", {}}}},
        {"values beyond the 100th stay joined in the last slot", ManyValues(), {{"K", ManyValuesExpected()}}},
    };
    for (const ParseCase& c : cases) {
        EXPECT_EQ(Parse(c.content), c.expected) << c.name;
    }
}

TEST(LineRecords, ReadsFilesAndTellsAMissingOne) {
    storagetest::TempDir dir;
    ASSERT_TRUE(dir.Ok());
    Collected collected;

    EXPECT_EQ(ReadLineRecords(dir.File("missing.ini").c_str(), Collect, &collected), 0);
    EXPECT_TRUE(collected.records.empty());

    dir.Write("empty.ini", "");
    EXPECT_EQ(ReadLineRecords(dir.File("empty.ini").c_str(), Collect, &collected), 1);
    EXPECT_TRUE(collected.records.empty());

    dir.Write("two.ini", "SetSkin 2,0\r\nStart=3");
    EXPECT_EQ(ReadLineRecords(dir.File("two.ini").c_str(), Collect, &collected), 1);
    EXPECT_EQ(collected.records, (std::vector<Record>{{"SetSkin", {"2", "0"}}, {"Start", {"3"}}}));
}

TEST(LineRecords, MatchKeywordTellsExactFromCaseVariants) {
    struct Case {
        const char* text;
        const char* keyword;
        int expected;
    };
    const Case cases[] = {
        {"Start", "Start", 1},
        {"start", "Start", 2},
        {"START", "Start", 2},
        {"Starts", "Start", 0},
        {"Star", "Start", 0},
        {"3TART", "Start", 2},  // any pair 32 apart counts, not only letters
        {"\x40", "\x60", 2},
        {"\x90", "\x70", 0},  // 32 apart only when read unsigned
        {"Stbrt", "Start", 0},
        {"", "", 1},
        {"", "Start", 0},
        {"Start", "", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MatchKeyword(c.text, c.keyword), c.expected) << '"' << c.text << "\" vs \"" << c.keyword << '"';
    }
}

TEST(LineRecords, ToNumberWrapsAndStopsAtTheFirstNonDigit) {
    struct Case {
        const char* text;
        std::int32_t expected;
    };
    const Case cases[] = {
        {" -5x", -5},
        {"", 0},
        {"4294967297", 1},
        {"4294967295", -1},
        {"2147483648", INT32_MIN},
        {"+7", 7},
        {" \t\n\v\f\r12", 12},
        {"12a3", 12},
        {"= 1", 0},
        {"-", 0},
        {"+-1", 0},
        {"0x10", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ToNumber(c.text), c.expected) << '"' << c.text << '"';
    }
}

}  // namespace
}  // namespace moritelda

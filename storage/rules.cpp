#include "storage/rules.h"

#include <utility>

#include "platform/files.h"
#include "storage/line_records.h"

namespace moritelda {

namespace {

// Buffer sizes of the window's texts: a longer title is compared as its first
// 255 bytes, a class name as its first 99.
constexpr int TITLE_BUFFER = 256;
constexpr int CLASS_BUFFER = 100;

bool ValidSlot(int slot) { return slot >= 0 && slot < MAX_RULES; }

// One line of the rule file, without its CR LF.
std::string FormatRuleLine(char kind, const std::string& pattern, std::int32_t mask, std::int8_t mode) {
    std::string line = kind == 'C' ? "AddClass " : "AddTitle ";
    line += pattern;
    line += ',';
    line += std::to_string(mask);
    line += ',';
    line += std::to_string(static_cast<int>(mode));
    return line;
}

int RuleLineHandler(const char* key, const char* const* values, void* context) {
    RuleTable& table = *static_cast<RuleTable*>(context);
    char kind;
    if (MatchKeyword(key, "AddClass")) kind = 'C';
    else if (MatchKeyword(key, "AddTitle")) kind = 'T';
    else return 0;

    std::string pattern;
    std::int32_t mask;
    std::int8_t mode;
    const int count = CountLineValues(values);
    if (count <= 3) {
        pattern = values[0];
        mask = ToNumber(values[1]);
        mode = static_cast<std::int8_t>(ToNumber(values[2]));
    } else {
        // The pattern held commas: mask and mode are the last two values, and
        // everything before them is the pattern. The last slot keeps its
        // commas, so rejoining gives back the line's values exactly.
        std::string run = values[0];
        for (int i = 1; i < count; ++i) {
            run += ',';
            run += values[i];
        }
        const std::size_t modeComma = run.rfind(',');
        const std::size_t maskComma = run.rfind(',', modeComma - 1);
        pattern = run.substr(0, maskComma);
        mask = ToNumber(run.c_str() + maskComma + 1);
        mode = static_cast<std::int8_t>(ToNumber(run.c_str() + modeComma + 1));
    }
    if (!AddRule(table, pattern.c_str(), kind, mask, mode)) {
        table.overflowLines.push_back(FormatRuleLine(kind, pattern, mask, mode));
    }
    return 1;
}

}  // namespace

bool AddRule(RuleTable& table, const char* pattern, char kind, std::int32_t mask, std::int8_t mode) {
    // The lowest free slot: a rule added after a delete stands where the
    // deleted one stood.
    int slot = 0;
    while (slot < MAX_RULES && table.slots[slot].inUse) ++slot;
    if (slot == MAX_RULES) return false;

    WindowRule& rule = table.slots[slot];
    rule.mask = mask;
    rule.kind = kind;
    rule.pattern = pattern;
    rule.mode = mode;
    rule.inUse = 1;
    if (slot >= table.ruleCount) table.ruleCount = slot + 1;
    return true;
}

void DeleteRule(RuleTable& table, int slot) {
    if (!ValidSlot(slot)) return;
    // ruleCount stays: it is the high-water mark, not the number of rules.
    table.slots[slot] = WindowRule{};
}

void SwapRules(RuleTable& table, int first, int second) {
    if (!ValidSlot(first) || !ValidSlot(second)) return;
    std::swap(table.slots[first], table.slots[second]);
}

bool RuleMatches(const WindowRule& rule, const std::string& title, const std::string& className) {
    const std::string& text = rule.kind == 'C' ? className : title;
    if (rule.mode == 1) return text == rule.pattern;
    if (rule.mode == 2) return text.find(rule.pattern) != std::string::npos;
    return false;
}

std::int32_t FindRuleMask(const RuleTable& table, WindowSystem& windows, WindowHandle window) {
    // Asked once per lookup: for another process's window each is a
    // cross-process request.
    const std::string title = windows.WindowTitle(window, TITLE_BUFFER);
    const std::string className = windows.ClassName(window, CLASS_BUFFER);
    for (int slot = 0; slot < table.ruleCount; ++slot) {
        const WindowRule& rule = table.slots[slot];
        if (rule.inUse && RuleMatches(rule, title, className)) return rule.mask;
    }
    return NO_RULE;
}

int IsIgnoredWindow(const RuleTable& table, WindowSystem& windows, WindowHandle window) {
    const std::string title = windows.WindowTitle(window, TITLE_BUFFER);
    const std::string className = windows.ClassName(window, CLASS_BUFFER);
    // An ignore rule wins wherever it stands in the list.
    for (int slot = 0; slot < table.ruleCount; ++slot) {
        const WindowRule& rule = table.slots[slot];
        if (rule.inUse && rule.mask == RULE_IGNORE && RuleMatches(rule, title, className)) return 1;
    }
    return 0;
}

void LoadRules(RuleTable& table, const char* path) {
    ReadLineRecords(path, RuleLineHandler, &table);
}

std::string FormatRules(const RuleTable& table) {
    // In slot order without the free slots, so the next start finds the same
    // rules in the same order.
    std::string text;
    for (int slot = 0; slot < table.ruleCount; ++slot) {
        const WindowRule& rule = table.slots[slot];
        if (!rule.inUse) continue;
        text += FormatRuleLine(rule.kind, rule.pattern, rule.mask, rule.mode);
        text += "\r\n";
    }
    for (const std::string& line : table.overflowLines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

bool SaveRules(const RuleTable& table, const char* path) {
    return ReplaceWholeFile(path, FormatRules(table));
}

}  // namespace moritelda

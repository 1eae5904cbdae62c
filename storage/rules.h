// Window rules: assign windows to desktops automatically, or keep them out of
// moritelda's care, by their title or class name. Slot order is priority order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/window_system.h"

namespace moritelda {

constexpr int MAX_RULES = 256;
constexpr std::int32_t RULE_IGNORE = -1;
constexpr std::int32_t NO_RULE = -2;

struct WindowRule {
    std::int32_t mask = 0;
    std::string pattern;  // owned by the slot
    char kind = 0;        // 'C' class name, anything else title ('T')
    std::int8_t mode = 0; // 1 equal, 2 contained, other never matches
    std::uint8_t inUse = 0;
};

// The process-wide rule table.
struct RuleTable {
    WindowRule slots[MAX_RULES];
    std::int32_t ruleCount = 0;  // high-water mark
    // Lines of a rule file that did not fit the table, as rule lines without
    // their CR LF; written back after the table's rules by SaveRules, so that
    // no rule of the file is lost.
    std::vector<std::string> overflowLines;
};

// False when every slot is in use (nothing is added).
bool AddRule(RuleTable& table, const char* pattern, char kind, std::int32_t mask, std::int8_t mode);
void DeleteRule(RuleTable& table, int slot);
void SwapRules(RuleTable& table, int first, int second);

// Pure matching of one rule against a window's title and class name.
bool RuleMatches(const WindowRule& rule, const std::string& title, const std::string& className);

std::int32_t FindRuleMask(const RuleTable& table, WindowSystem& windows, WindowHandle window);
int IsIgnoredWindow(const RuleTable& table, WindowSystem& windows, WindowHandle window);

// "./wndrule.ini" in the working directory, by default.
void LoadRules(RuleTable& table, const char* path = "./wndrule.ini");
// The exact bytes of the rule file for the table.
std::string FormatRules(const RuleTable& table);
// False when the file could not be written.
bool SaveRules(const RuleTable& table, const char* path = "./wndrule.ini");

}  // namespace moritelda

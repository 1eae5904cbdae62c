#include "storage/line_records.h"

#include <algorithm>
#include <vector>

#include "platform/files.h"

namespace moritelda {

namespace {

// The one empty text that every slot starts from. Slots the line fills point
// into the buffer instead, which is how CountLineValues tells them apart.
const char UNFILLED[1] = {'\0'};

bool EndsKey(char byte) {
    return byte == '\r' || byte == ' ' || byte == '=' || byte == '\t' || byte == '\n';
}

bool IsBlank(char byte) {
    return byte == '\n' || byte == '\r' || byte == ' ' || byte == '\t';
}

}  // namespace

void ParseLineRecords(const std::string& content, LineRecordHandler handler, void* context) {
    // The delimiters are overwritten in place, so the records lie in a copy;
    // the zero bytes after the content end the last key or value run.
    std::vector<char> buffer(content.size() + 10, '\0');
    std::copy(content.begin(), content.end(), buffer.begin());

    const char* values[MAX_LINE_VALUES];
    char* position = buffer.data();
    while (*position != '\0') {
        while (IsBlank(*position)) ++position;
        if (*position == '\0') break;

        std::fill(values, values + MAX_LINE_VALUES, UNFILLED);
        const char* key = position;
        while (*position != '\0' && !EndsKey(*position)) ++position;
        if (*position == '\0') {
            // A key alone at the end of the data.
            handler(key, values, context);
            return;
        }
        // Exactly one delimiter belongs to the key. A bare LF is one too, so a
        // key alone on such a line takes the next line as its values.
        *position++ = '\0';

        int slot = 0;
        values[0] = position;
        if (*position != '\n') {
            while (*position != '\r' && *position != '\0') {
                // Past the last slot the commas stay, so a rule pattern with
                // many commas reaches the rule reader whole.
                if (*position == ',' && slot < MAX_LINE_VALUES - 1) {
                    *position = '\0';
                    values[++slot] = position + 1;
                }
                ++position;
                if (*position == '\n') break;
            }
        }
        const bool endOfData = *position == '\0';
        *position++ = '\0';
        handler(key, values, context);
        if (endOfData) return;
    }
}

int CountLineValues(const char* const* values) {
    int count = 0;
    while (count < MAX_LINE_VALUES && values[count] != UNFILLED) ++count;
    return count;
}

int ReadLineRecords(const char* path, LineRecordHandler handler, void* context) {
    std::string content;
    if (!ReadWholeFile(path, content)) return 0;
    ParseLineRecords(content, handler, context);
    return 1;
}

int MatchKeyword(const char* text, const char* keyword) {
    bool caseDiffers = false;
    for (; *text != '\0' && *keyword != '\0'; ++text, ++keyword) {
        if (*text == *keyword) continue;
        // A difference of 32 between the signed byte values, not a test for
        // letters: bytes of 0x80 and above never pair with ASCII bytes.
        const int difference = static_cast<signed char>(*text) - static_cast<signed char>(*keyword);
        if (difference != 32 && difference != -32) return 0;
        caseDiffers = true;
    }
    if (*text != '\0' || *keyword != '\0') return 0;
    return caseDiffers ? 2 : 1;
}

std::int32_t ToNumber(const char* text) {
    while (*text == ' ' || *text == '\t' || *text == '\n' || *text == '\v' || *text == '\f' || *text == '\r') ++text;
    bool negative = false;
    if (*text == '+' || *text == '-') negative = *text++ == '-';
    // Unsigned arithmetic wraps modulo 2^32 as the files expect.
    std::uint32_t value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) value = value * 10u + static_cast<std::uint32_t>(*text - '0');
    if (negative) value = 0u - value;
    return static_cast<std::int32_t>(value);
}

}  // namespace moritelda

// The line-record syntax shared by moritelda.ini and wndrule.ini: one record
// per line, a key, then values separated by commas.
#pragma once

#include <cstdint>
#include <string>

namespace moritelda {

constexpr int MAX_LINE_VALUES = 100;

// Called once per record. key and values lie in the reader's buffer and are
// valid only during the call. Returns 1 when it recognised the key, else 0;
// the reader ignores the answer.
using LineRecordHandler = int (*)(const char* key, const char* const* values, void* context);

// Splits content (the bytes of a whole file) into records and hands each to
// the handler. A zero byte ends the data. Values beyond the 100th stay joined,
// commas included, in slot 99.
void ParseLineRecords(const std::string& content, LineRecordHandler handler, void* context);

// How many value slots the line filled, for the array the reader handed over: slot 0 to the last slot that a comma
// opened. A value the line has but leaves empty ('HKCHG=1,,3,') counts; the
// empty texts of the slots after it do not. A key alone at the end of the data
// has 0 values, a key alone on a line ended by CR LF has 1 (empty). Lets the
// rule reader find the mask and mode at the end of a line whose pattern holds
// commas.
int CountLineValues(const char* const* values);

// Reads the file at path (relative to the working directory) and parses it.
// 1 when the file was opened and read, 0 when it cannot be opened (the handler
// is then never called).
int ReadLineRecords(const char* path, LineRecordHandler handler, void* context);

// 0 no match, 1 exact match, 2 match that differs only in letter case.
int MatchKeyword(const char* text, const char* keyword);

// The number conversion of every numeric value in the files: leading white
// space, an optional sign, decimal digits; wraps modulo 2^32.
std::int32_t ToNumber(const char* text);

}  // namespace moritelda

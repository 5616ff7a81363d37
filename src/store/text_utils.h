#pragma once
// Field, character and list routines that every file format rests on.
// Strings are UTF-8; positions and field numbers are 1-based as in the files.
#include <string>
#include <string_view>
#include <vector>

namespace veltrun {

using StringList = std::vector<std::string>;

std::string GetField(std::string_view text, char delimiter, int n);
int CountChar(std::string_view text, char ch);
std::string ReplaceChar(std::string_view text, char ch, std::string_view replacement);
bool IsDigitChar(char c);
bool IsAllDigits(std::string_view text);
// Widths and lengths count characters (code points), not bytes.
std::string PadLeft(std::string_view text, std::string_view pad, int width);
std::string PadRight(std::string_view text, std::string_view pad, int width);
std::string AlignRight(std::string_view text, int width);
std::string AlignLeft(std::string_view text, int width);
std::string BoolText(bool flag);
std::string OppositeColour(std::string_view colour);
std::string CleanLine(std::string_view text);
std::string KeepPrintableAscii(std::string_view text);
// Every Latin letter with a diacritic becomes its base letter(s) (ß -> ss, ł -> l ...).
std::string RemoveDiacritics(std::string_view text);
double ParseDecimal(std::string_view text);

std::string Trim(std::string_view text);
std::string ToUpperAscii(std::string_view text);
std::string ToLowerAscii(std::string_view text);
// Unicode-aware lower-casing (ICU case folding).
std::string ToLowerUnicode(std::string_view text);
int Utf8Length(std::string_view text);
// Shortest decimal text of a number: 1, 0.5, 2.25, -3 (always "." as separator).
std::string DecimalText(double value);
// Integer conversion of a whole (trimmed) text; false when it is no integer.
bool TryParseInt(std::string_view text, int& value);

bool ListContains(const std::string& text, const StringList& list);
int CountCharInList(const StringList& list, char ch);
void SortNumericAscending(StringList& list);
// Order of names: ICU's root collation ignoring case and accents, then the
// exact text; the same everywhere, whatever the process locale. <0, 0 or >0.
int CompareNames(std::string_view a, std::string_view b);
void SortAlphabetical(StringList& list);
void SortByFirstFieldDescending(StringList& list, char delimiter);
std::string JoinReversed(const StringList& list);

// Path texts: both "\" and "/" separate parts.
std::string ExtractDirPart(std::string_view path);
std::string ExtractNamePart(std::string_view path);
std::string ExtractExtPart(std::string_view name);
bool HasForbiddenNameChar(std::string_view name);
bool DirectoryExists(const std::string& path);
void ForceDirectories(const std::string& path);
std::string DateStamp();

}  // namespace veltrun

// A death-test matcher for the exact lines a fatal end writes to standard
// error. Under AddressSanitizer a refused allocation adds a "==PID==WARNING"
// note of the sanitizer's own; such notes are dropped before comparing.
#ifndef TESTS_SUPPORT_REPORT_H
#define TESTS_SUPPORT_REPORT_H

#include <gmock/gmock.h>

#include <sstream>
#include <string>

inline std::string without_sanitizer_notes(const std::string &text)
{
    std::istringstream lines(text);
    std::string kept, line;
    while (std::getline(lines, line))
        if (line.rfind("==", 0) != 0)
            kept += line + "\n";
    if (!text.empty() && text.back() != '\n' && !kept.empty())
        kept.pop_back();
    return kept;
}

inline testing::Matcher<const std::string &> ReportIs(const std::string &expected)
{
    return testing::ResultOf(without_sanitizer_notes, testing::StrEq(expected));
}

#endif

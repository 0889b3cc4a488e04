// The error record: the last failure text of unattended work and how many times in a row that
// very text has been recorded, kept in the "Error" section of the settings file.
#include "activity/Events.h"
#include "fileio/modWin32.h"
#include "ui/frmMain.h"

namespace {

constexpr const char* kSection = "Error";
constexpr const char* kMessageKey = "LastErrorMsg";
constexpr const char* kCountKey = "LastErrorCnt";

}  // namespace

void frmMain::RecordError(const std::string& message) {
    WriteErrorRecord(activity::event::kFailed, message);
}

void frmMain::RecordLeftAlone(const std::string& message) {
    WriteErrorRecord(activity::event::kLeftAlone, message);
}

void frmMain::WriteErrorRecord(const char* word, const std::string& message) {
    // The log keeps every failure whole; the record keeps the last one, as it always has.
    LogEvent(word, message);
    const std::string previous = ReadErrorMessage();
    std::int32_t count = 1;
    // Compared as stored, so a text with a line break counts up like any other.
    if (IniValueText(message) == previous) {
        // Unsigned arithmetic: a count read back at its maximum wraps instead of overflowing.
        UINT stored = GetPrivateProfileIntA(kSection, kCountKey, 0, IniFile.c_str());
        count = static_cast<std::int32_t>(stored + 1u);
    }
    WriteIniString(kSection, kMessageKey, message, IniFile);
    WriteIniString(kSection, kCountKey, std::to_string(count), IniFile);
}

std::int32_t frmMain::ReadErrorCount() {
    return static_cast<std::int32_t>(
        GetPrivateProfileIntA(kSection, kCountKey, 0, IniFile.c_str()));
}

std::string frmMain::ReadErrorMessage() {
    return ReadIniText(kSection, kMessageKey, IniFile);
}

#pragma once

#include "tests/support/RecordingPrompt.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace shelltest {

using TScriptedPrompt = testsupport::TRecordingPrompt;

// Each test starts from the built-in tables and empty globals, in its own fresh folder
// C:\VarnookTests\shell\<test>\, with the scripted prompt installed.
class ShellTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The fresh folder, with a trailing backslash.
    const std::wstring& Folder() const { return folder_; }

    TScriptedPrompt prompt_;

private:
    std::wstring folder_;
};

// Writes `text` (ASCII) to a new file at `path`.
void WriteText(const std::wstring& path, const std::string& text);
// The lines of a profile file as written by the system (ANSI or UTF-16), without line ends.
std::vector<std::wstring> FileLines(const std::wstring& path);

// A "key=value" line split at the first "=", both sides without outer blanks.
struct TKeyLine {
    std::wstring key;
    std::wstring value;
};
TKeyLine SplitKeyLine(const std::wstring& line);

}  // namespace shelltest

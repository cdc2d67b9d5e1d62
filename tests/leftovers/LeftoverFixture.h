#pragma once

#include "tests/support/TestSupport.h"

#include <string>

namespace leftovertest {

// The folder of the links that make-links.sh builds in the prefix (C:\VarnookFixtures\Leftovers\...).
std::wstring LinkFixture(const std::wstring& name = {});

bool Exists(const std::wstring& path);
void MakeFolder(const std::wstring& path);
void SetAttributes(const std::wstring& path, DWORD attributes);

// Sets the current directory to a folder of canary files for its lifetime and checks, when it ends, that
// they are all still there: a folder delete that goes astray under Wine empties the current directory.
class TCanaryDirectory {
public:
    explicit TCanaryDirectory(const std::wstring& name);
    ~TCanaryDirectory();
    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
    std::wstring previous_;
};

}  // namespace leftovertest

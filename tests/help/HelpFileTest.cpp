// The compiled help file and the pages it is made of: the file opens through the system's own reader of
// compiled help and holds every file of the help folder unchanged; every link and picture of the pages resolves
// to a file of the folder (and to an anchor of it); the contents list every page.
#include "platform/Handles.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <objbase.h>

#include <algorithm>
#include <cwctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

// The storage of compiled help files (itss.dll), which the help viewer reads them with. Declared here because
// mingw's headers lack it; only the members up to the one used, in their order. Outside the anonymous
// namespace: there the compiler would take the pure members for the only ones and call them directly.
MIDL_INTERFACE("88cc31de-27ab-11d0-9df9-00a0c922e6ec")
IITStorage : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE StgCreateDocfile(const WCHAR*, DWORD, DWORD, IStorage**) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgCreateDocfileOnILockBytes(ILockBytes*, DWORD, DWORD, IStorage**) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgIsStorageFile(const WCHAR*) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgIsStorageILockBytes(ILockBytes*) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgOpenStorage(const WCHAR*, IStorage*, DWORD, SNB, DWORD, IStorage**) = 0;
};

namespace {

namespace fs = std::filesystem;

constexpr CLSID kClsidITStorage = {0x5d02926a, 0x212e, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};
constexpr IID kIidITStorage = {0x88cc31de, 0x27ab, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};

fs::path SourceFolder() {
    return fs::path(testsupport::WinePath(HELP_SOURCE_DIR));
}

std::string ReadBytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// The files of the help folder, relative, with "/" between folders; the build description is not part of it.
std::vector<std::string> HelpFiles() {
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(SourceFolder())) {
        if (!entry.is_regular_file())
            continue;
        const std::string relative = fs::relative(entry.path(), SourceFolder()).generic_string();
        if (relative != "CMakeLists.txt")
            files.push_back(relative);
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::string> Pages() {
    std::vector<std::string> pages;
    for (const std::string& file : HelpFiles()) {
        if (file.ends_with(".htm"))
            pages.push_back(file);
    }
    return pages;
}

// Every value of `attribute`="..." in an HTML text, attribute names in any case.
std::vector<std::string> AttributeValues(const std::string& html, const std::string& attribute) {
    const std::regex pattern("\\b" + attribute + "\\s*=\\s*\"([^\"]*)\"", std::regex::icase);
    std::vector<std::string> values;
    for (auto match = std::sregex_iterator(html.begin(), html.end(), pattern); match != std::sregex_iterator(); ++match)
        values.push_back((*match)[1]);
    return values;
}

// The targets of the sitemap entries (<param name="Local" value="...">) of a contents or index file.
std::vector<std::string> SitemapTargets(const std::string& sitemap) {
    const std::regex pattern("<param\\s+name\\s*=\\s*\"Local\"\\s+value\\s*=\\s*\"([^\"]*)\"", std::regex::icase);
    std::vector<std::string> targets;
    for (auto match = std::sregex_iterator(sitemap.begin(), sitemap.end(), pattern); match != std::sregex_iterator();
         ++match)
        targets.push_back((*match)[1]);
    return targets;
}

// What a reference inside the folder points to: a file (relative to the folder) and an anchor, or nothing for a
// reference that leaves the help file on purpose (web and mail addresses).
struct TTarget {
    bool external = false;
    std::string file;
    std::string anchor;
};

TTarget Resolve(const std::string& reference, const std::string& fromPage) {
    const std::string lower = Lower(reference);
    if (lower.starts_with("http:") || lower.starts_with("https:") || lower.starts_with("mailto:"))
        return {true, {}, {}};
    TTarget target;
    const size_t hash = reference.find('#');
    const std::string file = reference.substr(0, hash);
    if (hash != std::string::npos)
        target.anchor = reference.substr(hash + 1);
    target.file =
        file.empty() ? fromPage : (fs::path(fromPage).parent_path() / file).lexically_normal().generic_string();
    return target;
}

// Every <a name="..."> of every page.
std::map<std::string, std::set<std::string>> AnchorsByPage() {
    std::map<std::string, std::set<std::string>> anchors;
    for (const std::string& page : Pages()) {
        for (const std::string& name : AttributeValues(ReadBytes(SourceFolder() / page), "name"))
            anchors[page].insert(name);
    }
    return anchors;
}

// Empty when `target` names a file of the folder and, where it has one, an anchor of that page.
std::string Unresolved(const TTarget& target, const std::set<std::string>& files,
                       const std::map<std::string, std::set<std::string>>& anchors) {
    if (!files.contains(target.file))
        return "no file " + target.file;
    if (!target.anchor.empty()) {
        const auto page = anchors.find(target.file);
        if (page == anchors.end() || !page->second.contains(target.anchor))
            return "no anchor #" + target.anchor + " in " + target.file;
    }
    return {};
}

class ComScope {
public:
    ComScope() { CoInitialize(nullptr); }
    ~ComScope() { CoUninitialize(); }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
};

std::string ReadStream(IStorage* storage, const std::string& name) {
    platform::TComPtr<IStream> stream;
    const std::wstring wide(name.begin(), name.end());
    if (FAILED(storage->OpenStream(wide.c_str(), nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, stream.put())))
        return "(missing)";
    std::string bytes;
    char buffer[8192];
    ULONG read = 0;
    while (SUCCEEDED(stream->Read(buffer, sizeof buffer, &read)) && read > 0)
        bytes.append(buffer, read);
    return bytes;
}

TEST(HelpFile, OpensAndHoldsEveryFileOfTheFolderUnchanged) {
    ComScope com;
    platform::TComPtr<IITStorage> reader;
    ASSERT_HRESULT_SUCCEEDED(
        CoCreateInstance(kClsidITStorage, nullptr, CLSCTX_INPROC_SERVER, kIidITStorage, reader.put_void()));
    const std::wstring helpFile = testsupport::WinePath(HELP_FILE);
    platform::TComPtr<IStorage> storage;
    ASSERT_HRESULT_SUCCEEDED(
        reader->StgOpenStorage(helpFile.c_str(), nullptr, STGM_READ | STGM_SHARE_DENY_WRITE, nullptr, 0, storage.put()))
        << "the help viewer's reader cannot open " << std::string(helpFile.begin(), helpFile.end());

    const std::vector<std::string> files = HelpFiles();
    ASSERT_FALSE(files.empty());
    for (const std::string& file : files) {
        // The project file is the compiler's input, not part of what it writes.
        if (file == "Help.hhp")
            continue;
        EXPECT_TRUE(ReadStream(storage.get(), file) == ReadBytes(SourceFolder() / file)) << file;
    }

    // The project's options reached the file: its title and its start page.
    const std::string system = ReadStream(storage.get(), "#SYSTEM");
    EXPECT_NE(system.find("Varnook Help"), std::string::npos);
    EXPECT_NE(system.find("index.htm"), std::string::npos);
}

TEST(HelpPages, LinksAndPicturesResolveWithinTheFolder) {
    const std::vector<std::string> all = HelpFiles();
    const std::set<std::string> files(all.begin(), all.end());
    const auto anchors = AnchorsByPage();
    std::set<std::string> pictures;
    for (const std::string& file : all) {
        if (file.starts_with("images/"))
            pictures.insert(file);
    }

    for (const std::string& page : Pages()) {
        const std::string html = ReadBytes(SourceFolder() / page);
        EXPECT_EQ(Lower(html).find("<script"), std::string::npos) << page << ": the pages carry no script";
        for (const char* attribute : {"href", "src"}) {
            for (const std::string& reference : AttributeValues(html, attribute)) {
                const TTarget target = Resolve(reference, page);
                if (target.external)
                    continue;
                EXPECT_EQ(Unresolved(target, files, anchors), "") << page << ": " << attribute << "=" << reference;
                pictures.erase(target.file);
            }
        }
    }
    EXPECT_TRUE(pictures.empty()) << "pictures no page shows, first: " << *pictures.begin();
}

TEST(HelpPages, ContentsIndexAndProjectListEveryPage) {
    const std::vector<std::string> pages = Pages();
    const std::vector<std::string> all = HelpFiles();
    const std::set<std::string> files(all.begin(), all.end());
    const auto anchors = AnchorsByPage();

    std::set<std::string> inContents;
    for (const std::string& reference : SitemapTargets(ReadBytes(SourceFolder() / "Help.hhc"))) {
        const TTarget target = Resolve(reference, "Help.hhc");
        EXPECT_EQ(Unresolved(target, files, anchors), "") << "Help.hhc: " << reference;
        inContents.insert(target.file);
    }
    const std::vector<std::string> index = SitemapTargets(ReadBytes(SourceFolder() / "Help.hhk"));
    EXPECT_FALSE(index.empty());
    for (const std::string& reference : index)
        EXPECT_EQ(Unresolved(Resolve(reference, "Help.hhk"), files, anchors), "") << "Help.hhk: " << reference;

    // The project lists its files in [FILES], one a line, folders written with "\".
    std::string project = ReadBytes(SourceFolder() / "Help.hhp");
    std::replace(project.begin(), project.end(), '\\', '/');
    std::set<std::string> listed;
    std::istringstream lines(project);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line[0] != '[' && line.find('=') == std::string::npos)
            listed.insert(line);
    }

    for (const std::string& page : pages) {
        EXPECT_TRUE(inContents.contains(page)) << page << " is not in the contents";
        EXPECT_TRUE(listed.contains(page)) << page << " is not in the project's [FILES]";
    }
    for (const std::string& file : all) {
        if (file.starts_with("images/") || file.ends_with(".css")) {
            EXPECT_TRUE(listed.contains(file)) << file << " is not in the project's [FILES]";
        }
    }
}

}  // namespace

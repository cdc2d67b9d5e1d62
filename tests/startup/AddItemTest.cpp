#include "StartupFixture.h"

#include "gui/startup/frmAddItem.h"
#include "gui/widgets/Modal.h"
#include "platform/Files.h"

#include <shlobj.h>

using namespace startuptest;
using varnook::TAddItemForm;

namespace {

TAddItemForm& DialogOf(HWND dialog) {
    auto* form = dynamic_cast<TAddItemForm*>(varnook::TWindow::FromHandle(dialog));
    EXPECT_NE(form, nullptr);
    return *form;
}

// The target and working folder a shortcut file holds.
std::pair<std::wstring, std::wstring> ShortcutTarget(const std::wstring& path) {
    platform::TComPtr<IShellLinkW> link;
    EXPECT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.put_void()), S_OK);
    platform::TComPtr<IPersistFile> file;
    EXPECT_EQ(link.query(file), S_OK);
    EXPECT_EQ(file->Load(path.c_str(), STGM_READ), S_OK);
    wchar_t target[MAX_PATH] = {};
    wchar_t folder[MAX_PATH] = {};
    link->GetPath(target, MAX_PATH, nullptr, 0);
    link->GetWorkingDirectory(folder, MAX_PATH);
    return {target, folder};
}

std::vector<std::wstring> FolderEntries(const std::wstring& folder) {
    std::vector<std::wstring> names;
    platform::ForEachFound(folder + L"*", [&](const WIN32_FIND_DATAW& found) {
        if (found.cFileName[0] != L'.')
            names.push_back(found.cFileName);
        return true;
    });
    return names;
}

}  // namespace

class AddItemTest : public StartupTest {
protected:
    void SetUp() override {
        StartupTest::SetUp();
        targets_ = testsupport::FreshFolder(L"startup_add") + L"\\";
    }
    void TearDown() override {
        StartupTest::TearDown();
        testsupport::RemoveFolder(targets_.substr(0, targets_.size() - 1));
    }

    // Runs the add command with the dialog filled in and confirmed.
    void Add(const std::wstring& target, int section) {
        varnook::SetModalDriver([&](HWND dialog) {
            TAddItemForm& form = DialogOf(dialog);
            form.txtTarget.SetText(target);
            form.cmbSection.SetItemIndex(section);
            form.btnOKClick();
        });
        form_->ActionAddItemExecute();
        varnook::SetModalDriver(nullptr);
    }

    std::wstring targets_;
};

TEST_F(AddItemTest, TheDialogShowsItsTextsAndStartsOnTheUserRunKey) {
    Start();
    ASSERT_TRUE(form_);
    TAddItemForm dialog;
    dialog.Create(form_->Handle());
    EXPECT_EQ(dialog.Text(), L"Add item");
    dialog.FormShow();
    EXPECT_EQ(dialog.Text(), L"Add Item");
    EXPECT_EQ(dialog.lblTarget.Text(), L"Target:");
    EXPECT_EQ(dialog.lblSection.Text(), L"Section:");
    EXPECT_EQ(dialog.btnBrowse.Text(), L"Browse");
    EXPECT_EQ(dialog.btnOK.Text(), L"OK");
    EXPECT_EQ(dialog.btnCancel.Text(), L"Cancel");
    EXPECT_TRUE(dialog.txtTarget.Text().empty());
    const std::vector<std::wstring> entries = {L"Startup Folder\\Current User", L"Startup Folder\\All User",
                                               L"Registry\\Current User\\Run", L"Registry\\All Users\\Run"};
    ASSERT_EQ(dialog.cmbSection.Count(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(dialog.cmbSection.ItemText(i), entries[static_cast<size_t>(i)]);
    EXPECT_EQ(dialog.cmbSection.ItemIndex(), 2);

    // Centred on the main window.
    RECT main, own;
    GetWindowRect(form_->Handle(), &main);
    GetWindowRect(dialog.Handle(), &own);
    EXPECT_NEAR((own.left + own.right) / 2, (main.left + main.right) / 2, 1);
    EXPECT_NEAR((own.top + own.bottom) / 2, (main.top + main.bottom) / 2, 1);

    // Browse puts the chosen file into the target; a cancelled dialog leaves it.
    prompt_.fileAnswers = {L"C:\\Tools\\picked.exe"};
    dialog.btnBrowseClick();
    dialog.btnBrowseClick();
    EXPECT_EQ(dialog.txtTarget.Text(), L"C:\\Tools\\picked.exe");
    ASSERT_EQ(prompt_.dialogs.size(), 2u);
    EXPECT_FALSE(prompt_.dialogs[0].save);
    EXPECT_EQ(prompt_.dialogs[0].filter, L"All Files (*.*)|*.*");
    EXPECT_EQ(prompt_.dialogs[0].folder, L"");
    dialog.Show(true);
    Screenshot(dialog.Handle(), L"startup-add-item");
}

TEST_F(AddItemTest, AMissingTargetIsReportedAndTheDialogStaysOpen) {
    Start();
    ASSERT_TRUE(form_);
    for (const std::wstring& target : {std::wstring(), targets_ + L"missing.exe", targets_}) {
        bool stayedOpen = false;
        varnook::SetModalDriver([&](HWND dialog) {
            TAddItemForm& form = DialogOf(dialog);
            form.txtTarget.SetText(target);
            form.btnOKClick();
            stayedOpen = !form.Closed() && IsWindowVisible(dialog);
            EXPECT_TRUE(form.txtTarget.Text().empty());
            form.btnCancelClick();
        });
        form_->ActionAddItemExecute();
        EXPECT_TRUE(stayedOpen);
    }
    ASSERT_EQ(prompt_.messages.size(), 3u);
    EXPECT_EQ(prompt_.messages[0].text, L"The specified target file can't be found, please reset!");
    EXPECT_EQ(prompt_.messages[0].flags, static_cast<UINT>(MB_OK));
    EXPECT_EQ(ValueNames(HKEY_CURRENT_USER, kRun).size(), 0u);
}

TEST_F(AddItemTest, AddingTwiceLeavesOneItemInEachPlace) {
    struct TCase {
        const char* what;
        std::wstring fileName;
        int section;
        std::wstring itemName;  // the shortcut's file name or the value's name
    };
    const TCase cases[] = {
        {"user folder", L"tool.exe", TAddItemForm::StartupFolderUser, L"tool.lnk"},
        {"all-users folder", L"tool.exe", TAddItemForm::StartupFolderAllUsers, L"tool.lnk"},
        {"user run key", L"tool.exe", TAddItemForm::RunKeyUser, L"tool"},
        {"machine run key", L"tool.exe", TAddItemForm::RunKeyAllUsers, L"tool"},
        {"no extension, run key", L"runme", TAddItemForm::RunKeyUser, L"runme"},
        {"no extension, folder", L"runme", TAddItemForm::StartupFolderUser, L"runme.lnk"},
    };
    Start();
    ASSERT_TRUE(form_);
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.what);
        CleanAll();
        const std::wstring target = targets_ + c.fileName;
        testsupport::WriteFile(target, 10);
        Add(target, c.section);
        Add(target, c.section);

        const bool folder = c.section <= TAddItemForm::StartupFolderAllUsers;
        const std::wstring place = c.section == TAddItemForm::StartupFolderUser ? user_ : common_;
        const HKEY hive = c.section == TAddItemForm::RunKeyAllUsers ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
        // The list was refreshed after each addition.
        ASSERT_EQ(form_->StartupItemCount(), 1);
        const TRow row = Rows()[0];
        if (folder) {
            EXPECT_EQ(FolderEntries(place), std::vector<std::wstring>{c.itemName});
            const auto [linked, workingFolder] = ShortcutTarget(place + c.itemName);
            EXPECT_EQ(linked, target);
            EXPECT_EQ(workingFolder, targets_);
            EXPECT_EQ(row, (TRow{c.itemName, place + c.itemName, place, true}));
        } else {
            EXPECT_EQ(ValueNames(hive, kRun), std::vector<std::wstring>{c.itemName});
            EXPECT_EQ(ReadValue(hive, kRun, c.itemName), (TStored{REG_SZ, target}));
            EXPECT_EQ(row, (TRow{c.itemName, target, Location(hive, kRun), true}));
        }
    }
}

#include "GuiFixture.h"

#include "gui/widgets/ArButton.h"
#include "gui/widgets/Picture.h"
#include "platform/Errors.h"
#include "gui/shell/globals.h"
#include "platform/Handles.h"

using namespace guitest;
using varnook::TArButton;
using varnook::TPicture;

namespace {

// A 2 x 1 bitmap file: a red pixel and a blue one.
void WriteBitmap(const std::wstring& path) {
    const unsigned char file[] = {
        'B', 'M', 62,  0,   0, 0, 0, 0, 0, 0, 54, 0, 0, 0,                     // file header
        40,  0,   0,   0,   2, 0, 0, 0, 1, 0, 0,  0, 1, 0, 24, 0, 0, 0, 0, 0,  // info header
        8,   0,   0,   0,   0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0, 0,
        0,   0,   255, 255, 0, 0, 0, 0,  // red, blue (BGR), row padding
    };
    platform::TFileHandle handle(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(handle.get(), file, sizeof file, &written, nullptr));
}

class WidgetsTest : public GuiTest {};

}  // namespace

TEST_F(WidgetsTest, PicturesLoadByTheirExtension) {
    TPicture picture;
    WriteBitmap(app_ + L"two.bmp");
    picture.LoadFromFile(app_ + L"two.bmp");
    ASSERT_EQ(picture.Width(), 2);
    EXPECT_EQ(picture.Pixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(picture.Pixel(1, 0), 0xFF0000FFu);

    // A metafile is drawn with its own transparency: what it does not paint stays see-through.
    {
        const std::wstring path = app_ + L"box.emf";
        const RECT frame{0, 0, 1000, 1000};
        const HDC recorder = CreateEnhMetaFileW(nullptr, path.c_str(), &frame, nullptr);
        ASSERT_TRUE(recorder);
        SelectObject(recorder, GetStockObject(BLACK_BRUSH));
        SelectObject(recorder, GetStockObject(NULL_PEN));
        Rectangle(recorder, 0, 0, 10, 10);
        DeleteEnhMetaFile(CloseEnhMetaFile(recorder));
        TPicture metafile;
        metafile.LoadFromFile(path);
        ASSERT_FALSE(metafile.Empty());
        EXPECT_EQ(metafile.Pixel(1, 1), 0xFF000000u);
    }

    // Unknown types and damaged files are load errors, and leave the picture as it was.
    const unsigned char broken[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0};
    {
        platform::TFileHandle file(CreateFileW((app_ + L"broken.png").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                               FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(file.get(), broken, sizeof broken, &written, nullptr));
    }
    CopyFileW((app_ + L"two.bmp").c_str(), (app_ + L"two.gif").c_str(), FALSE);
    for (const wchar_t* name : {L"broken.png", L"two.gif"}) {
        EXPECT_THROW(picture.LoadFromFile(app_ + name), platform::EError) << name;
        EXPECT_EQ(picture.Width(), 2) << name;
    }
}

TEST_F(WidgetsTest, ImageButtonClicksOnReleaseOverItAndOnTheKeyboard) {
    Start();
    ASSERT_TRUE(form_);
    TArButton button;
    button.Create(form_->Handle(), RECT{300, 200, 400, 240}, L"Press");
    int clicks = 0;
    button.OnClick = [&] { ++clicks; };

    SendMessageW(button.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(button.State(), TArButton::TState::MouseDown);
    EXPECT_EQ(GetFocus(), button.Handle()) << "a press takes the focus";
    SendMessageW(button.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(clicks, 1);

    // Pressed, then released away from the button: no click.
    SendMessageW(button.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(button.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(500, 500));
    EXPECT_EQ(button.State(), TArButton::TState::Normal);
    SendMessageW(button.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(500, 500));
    EXPECT_EQ(clicks, 1);

    for (const WPARAM key : {VK_SPACE, VK_RETURN}) {
        SendMessageW(button.Handle(), WM_KEYDOWN, key, 0);
        EXPECT_EQ(button.State(), TArButton::TState::MouseDown);
        SendMessageW(button.Handle(), WM_KEYUP, key, 0);
    }
    EXPECT_EQ(clicks, 3);

    // A disabled button shows its normal picture when it has no disabled one, and does not click.
    button.PicNormal.Assign(1, 1, {0xFF123456u});
    button.Enable(false);
    EXPECT_EQ(button.State(), TArButton::TState::Disabled);
    EXPECT_EQ(button.DrawnPicture(), &button.PicNormal);
    button.Click();
    EXPECT_EQ(clicks, 3);
}

TEST_F(WidgetsTest, EnterPressesTheDefaultButtonUnlessAnImageButtonHasTheFocus) {
    Start();
    ASSERT_TRUE(form_);
    form_->txtSearchInfo.SetText(L"zzz-not-there");
    SetFocus(form_->txtSearchInfo.Handle());
    varnook::Globals().SearchStart = 5;
    MSG enter{form_->txtSearchInfo.Handle(), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    EXPECT_TRUE(form_->PreTranslateMessage(enter)) << "Enter runs Find Next";
    SetFocus(form_->btnRefresh.Handle());
    enter.hwnd = form_->btnRefresh.Handle();
    EXPECT_FALSE(form_->PreTranslateMessage(enter)) << "the focused image button takes its own Enter";
}

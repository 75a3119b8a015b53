// The pickers and the recording control, driven by real mouse and keyboard input.
#include <windows.h>

#include <gtest/gtest.h>

#include "FrmDesktopUnit.h"
#include <dlgs.h>

#include "InputDriver.h"
#include "MovieReader.h"
#include "ScreenCapTesting.h"
#include "StringUtils.h"
#include "TestPicture.h"

namespace {

// Two overlapping windows, B above A, and an invisible one.
class Scene : public ::testing::Test {
 protected:
  void SetUp() override {
    RequireDisplay();
    PumpMessages(200);
  }
  TestPicture a{RECT{100, 100, 500, 400}};
  TestPicture b{RECT{300, 250, 700, 550}};
  HWND hidden = CreateWindowExW(0, L"STATIC", L"hidden", WS_POPUP, 800, 100, 200, 200, nullptr, nullptr, nullptr, nullptr);
  ~Scene() override { DestroyWindow(hidden); }
};

RECT BoundsOf(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return r;
}

bool SameRect(const RECT& x, const RECT& y) { return EqualRect(&x, &y) != 0; }

}  // namespace

TEST_F(Scene, WindowModePicksTheTopVisibleWindowUnderThePointer) {
  struct {
    POINT at;
    HWND expected;
  } cases[] = {{{350, 300}, b.Window()}, {{150, 150}, a.Window()}, {{900, 200}, nullptr}, {{1500, 900}, nullptr}};
  for (const auto& c : cases) {
    Driver driver([&] {
      ASSERT_TRUE(input::WaitForOverlay());
      input::MoveTo(c.at.x - 5, c.at.y - 5);
      input::MoveTo(c.at.x, c.at.y);  // still the same window: nothing changes
      input::LeftClick();
    });
    EXPECT_EQ(TQXScreenCap::SelectWindow(nullptr), c.expected) << c.at.x << "," << c.at.y;
  }
}

TEST_F(Scene, WindowModeEscCancelsAndAClickBeforeAnyMovePicksNothing) {
  {
    Driver driver([&] {
      ASSERT_TRUE(input::WaitForOverlay());
      input::MoveTo(150, 150);
      input::Key(VK_ESCAPE);
    });
    EXPECT_EQ(TQXScreenCap::SelectWindow(nullptr), nullptr);
  }
  input::MoveTo(1500, 900);  // the pointer rests over no window when the overlay appears
  Driver driver([&] {
    HWND overlay = input::WaitForOverlay();
    ASSERT_TRUE(overlay);
    PostMessageW(overlay, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 150));
  });
  EXPECT_EQ(TQXScreenCap::SelectWindow(nullptr), nullptr);
}

TEST_F(Scene, RegionModeReturnsTheDragAsMade) {
  TRectEx picked;
  {
    Driver driver([&] {
      ASSERT_TRUE(input::WaitForOverlay());
      input::Drag(600, 500, 400, 300);
    });
    ASSERT_TRUE(TQXScreenCap::SelectRegion(nullptr, picked));
  }
  EXPECT_TRUE(SameRect(picked, RECT{600, 500, 400, 300})) << "dragged up and to the left, not normalised";
  {
    Driver driver([&] {
      ASSERT_TRUE(input::WaitForOverlay());
      input::MoveTo(50, 50);
      input::LeftDown();
      input::MoveTo(500, 500);
      input::Key('A');  // drops the band; the overlay stays
      input::LeftUp();
      input::Drag(100, 120, 300, 220);
    });
    ASSERT_TRUE(TQXScreenCap::SelectRegion(nullptr, picked));
  }
  EXPECT_TRUE(SameRect(picked, RECT{100, 120, 300, 220}));
  {
    Driver driver([&] {
      ASSERT_TRUE(input::WaitForOverlay());
      input::MoveTo(200, 200);
      input::LeftClick();
    });
    ASSERT_TRUE(TQXScreenCap::SelectRegion(nullptr, picked));
  }
  EXPECT_TRUE(picked.IsRectEmpty()) << "a click without movement picks an empty rectangle";
}

TEST_F(Scene, StartRecordsThePickedWindowAndRefusesAnEmptyRegion) {
  Recorder recorder;  // automatic names in its own folder
  const TempFolder& movies = recorder.folder;
  recorder.cap.FrameRate = 10;
  recorder.cap.CapMode = cmWindow;
  {
    Driver driver([&] {
      ASSERT_TRUE(input::WaitForOverlay());
      input::MoveTo(600, 500);
      input::LeftClick();
    });
    ASSERT_TRUE(recorder.cap.Start());
  }
  EXPECT_TRUE(SameRect(recorder.cap.CapRect, BoundsOf(b.Window())));
  EXPECT_EQ(recorder.cap.FileName, movies.Path() + "qxcap1.avi");
  for (int i = 0; i < 2; ++i) {
    PumpMessages(400);
    ASSERT_TRUE(recorder.cap.Pause());
    PumpMessages(400);
    ASSERT_TRUE(recorder.cap.Start());
  }
  PumpMessages(400);
  ASSERT_TRUE(recorder.cap.Stop());
  const MovieInfo movie = ReadMovieInfo(movies.Path() + "qxcap1.avi");
  EXPECT_EQ(movie.Width, 400);
  EXPECT_EQ(movie.Height, 300);
  EXPECT_GE(movie.VideoFrames, 6);
  EXPECT_LE(movie.VideoFrames, 16) << "paused spans hold no frames";
  EXPECT_TRUE(GetYKErrorManager().PendingReports().empty());

  recorder.cap.CapMode = cmRegion;
  {
    Driver driver([&] {
      ASSERT_TRUE(input::WaitForOverlay());
      input::MoveTo(200, 200);
      input::LeftClick();
    });
    EXPECT_FALSE(recorder.cap.Start());
  }
  EXPECT_EQ(recorder.cap.CapState, csStop);
  EXPECT_TRUE(TQXScreenCapTesting::ResourcesReleased(recorder.cap));
}

TEST_F(Scene, StartNormalisesARegionDraggedUpward) {
  Recorder recorder;
  recorder.cap.CapMode = cmRegion;
  {
    Driver driver([&] {
      ASSERT_TRUE(input::WaitForOverlay());
      input::Drag(451, 401, 150, 200);
    });
    ASSERT_TRUE(recorder.cap.Start());
  }
  EXPECT_TRUE(SameRect(recorder.cap.CapRect, RECT{150, 200, 451, 401}));
  PumpMessages(300);
  ASSERT_TRUE(recorder.cap.Stop());
  const MovieInfo movie = ReadMovieInfo(recorder.cap.FileName);
  EXPECT_EQ(movie.Width, 301);
  EXPECT_EQ(movie.Height, 201);
}

TEST(FileNames, AutomaticNameIsTheFirstFreeNumber) {
  RequireDisplay();
  TempFolder movies;
  WriteTextFile(movies.Path() + "qxcap1.avi", "");
  WriteTextFile(movies.Path() + "qxcap3.avi", "");
  Recorder recorder;
  recorder.cap.FileSaveMode = static_cast<TFileSaveMode>(7);  // anything but 1: automatic
  recorder.cap.DefaultFilePath = movies.Path().substr(0, movies.Path().size() - 1);  // no trailing backslash
  recorder.cap.CapMode = cmScreen;
  ASSERT_TRUE(recorder.cap.Start());
  EXPECT_EQ(recorder.cap.FileName, movies.Path() + "qxcap2.avi");
  ASSERT_TRUE(recorder.cap.Stop());
}

TEST(FileNames, AskingProposesTheFirstFreeNameBesideThePreviousRecording) {
  RequireDisplay();
  TempFolder elsewhere;
  WriteTextFile(elsewhere.Path() + "qxcap1.avi", "");
  Recorder recorder;
  recorder.cap.FileSaveMode = fsmAskToSave;
  recorder.cap.CapMode = cmScreen;
  recorder.cap.FileName = elsewhere.Path() + "last time.avi";
  std::wstring proposed;
  const std::string typed = elsewhere.Path() + "我的录像";
  {
    Driver driver([&] {
      HWND dialog = input::WaitForDialog(L"保存视频文件");
      ASSERT_TRUE(dialog);
      wchar_t text[MAX_PATH] = {};
      GetDlgItemTextW(dialog, cmb13, text, MAX_PATH);
      proposed = text;
      SetDlgItemTextW(dialog, cmb13, Utf8ToWide(typed).c_str());
      PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    ASSERT_TRUE(recorder.cap.Start());
  }
  EXPECT_NE(proposed.find(L"qxcap2.avi"), std::wstring::npos) << WideToUtf8(proposed);
  EXPECT_EQ(recorder.cap.FileName, typed) << "used exactly as typed, no extension added";
  ASSERT_TRUE(recorder.cap.Stop());

  recorder.cap.FileName = elsewhere.Path() + "last time.avi";
  {
    Driver driver([&] {
      HWND dialog = input::WaitForDialog(L"保存视频文件");
      ASSERT_TRUE(dialog);
      PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_FALSE(recorder.cap.Start());
  }
  EXPECT_EQ(recorder.cap.CapState, csStop);
  EXPECT_TRUE(TQXScreenCapTesting::ResourcesReleased(recorder.cap));
}

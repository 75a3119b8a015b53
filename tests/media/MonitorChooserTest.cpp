#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ChooserDriver.h"
#include "FrmMultiMonitorUnit.h"
#include "ScreenCapTesting.h"
#include "StringUtils.h"
#include "TScreen.h"

// These need a display with two monitors: tests/e2e/monitor_chooser.sh provides one.
namespace {

const char* const Default = "[默认]";

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::string DeviceName(HMONITOR monitor) {
  MONITORINFOEXW info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(monitor, &info);
  return WideToUtf8(info.szDevice);
}

// What the user does in the open chooser, and what comes of it: the dialog's result, and the
// entry chosen (0 the desktop, k monitor k-1) when that is mrOk.
struct UserAction {
  const char* name;
  ChooserDriver::Action act;
  int result;
  int entry;
};

const UserAction Actions[] = {
    {"Enter", [](HWND) { ChooserDriver::Keys({VK_RETURN}); }, mrOk, 0},
    {"ClickOk", [](HWND d) { ChooserDriver::ClickButton(d, IDOK); }, mrOk, 0},
    {"DoubleClickFirstMonitor", [](HWND d) { ChooserDriver::DoubleClickEntry(d, 1); }, mrOk, 1},
    {"DoubleClickSecondMonitor", [](HWND d) { ChooserDriver::DoubleClickEntry(d, 2); }, mrOk, 2},
    {"DownDownEnter", [](HWND) { ChooserDriver::Keys({VK_DOWN, VK_DOWN, VK_RETURN}); }, mrOk, 2},
    {"Escape", [](HWND) { ChooserDriver::Keys({VK_ESCAPE}); }, mrCancel, -1},
    {"ClickCancel", [](HWND d) { ChooserDriver::ClickButton(d, IDCANCEL); }, mrCancel, -1},
    {"SystemClose", [](HWND d) { PostMessageW(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, mrCancel, -1},
    // With nothing selected, OK does nothing: the Escape after it is what ends the dialog.
    {"EnterWithoutSelection",
     [](HWND d) {
       SendMessageW(ChooserDriver::List(d), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
       ChooserDriver::Keys({VK_RETURN, VK_ESCAPE});
     },
     mrCancel, -1},
};

void PrintTo(const UserAction& action, std::ostream* out) { *out << action.name; }

class MonitorChooser : public testing::TestWithParam<UserAction> {
 protected:
  void SetUp() override {
    RequireDisplay();
    ASSERT_EQ(Screen->MonitorCount(), 2) << "run through tests/e2e/monitor_chooser.sh";
  }
};

std::string ActionName(const testing::TestParamInfo<UserAction>& info) { return info.param.name; }

}  // namespace

TEST_F(MonitorChooser, ListsTheDesktopThenEachMonitorWithThePrimaryMarked) {
  TFrmMultiMonitor chooser(Application);
  const TStrings& items = *chooser.lstMonitors->Items();
  const std::vector<TMonitor> monitors = Screen->GetMonitors();
  ASSERT_EQ(items.Count(), 3);
  EXPECT_EQ(items[0], "[整个桌面]");
  int marked = 0;
  for (size_t i = 0; i < monitors.size(); ++i) {
    const std::string name = DeviceName(monitors[i].Handle);
    EXPECT_EQ(name.rfind("\\\\.\\DISPLAY", 0), 0u) << name;
    EXPECT_EQ(items[static_cast<int>(i) + 1], monitors[i].Primary ? name + Default : name);
    marked += EndsWith(items[static_cast<int>(i) + 1], Default);
  }
  EXPECT_EQ(marked, 1);
  EXPECT_EQ(chooser.GetSelectedMonitor(), 0);
}

TEST_P(MonitorChooser, AnswersTheUser) {
  const UserAction& action = GetParam();
  TFrmMultiMonitor chooser(Application);
  ChooserDriver driver(action.act);
  const int result = chooser.ShowModal();
  driver.Finish();
  ASSERT_FALSE(driver.Stuck());
  ASSERT_EQ(result, action.result);
  if (result == mrOk) {
    EXPECT_EQ(chooser.GetSelectedMonitor(), action.entry);
  }
}

// The engine records what was chosen: the whole desktop, one monitor's bounds, or nothing.
TEST_P(MonitorChooser, DecidesWhatWholeScreenRecordingCovers) {
  const UserAction& action = GetParam();
  Recorder recorder;
  recorder.cap.CapMode = cmScreen;
  const RECT before = recorder.cap.CapRect;
  ChooserDriver driver(action.act);
  const bool started = recorder.cap.Start();
  driver.Finish();
  ASSERT_TRUE(driver.SawDialog());
  ASSERT_FALSE(driver.Stuck());
  const RECT expected = action.entry == -1  ? before
                        : action.entry == 0 ? Screen->DesktopRect()
                                            : Screen->GetMonitors()[action.entry - 1].BoundsRect;
  EXPECT_EQ(started, action.result == mrOk);
  EXPECT_EQ(recorder.cap.CapState, started ? csRecording : csStop);
  EXPECT_TRUE(EqualRect(&recorder.cap.CapRect, &expected))
      << recorder.cap.CapRect.left << "," << recorder.cap.CapRect.top << "," << recorder.cap.CapRect.right << ","
      << recorder.cap.CapRect.bottom;
}

INSTANTIATE_TEST_SUITE_P(Users, MonitorChooser, testing::ValuesIn(Actions), ActionName);

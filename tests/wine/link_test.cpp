// The update button and the link label: the vendor's message first, then the vendor's page, opened
// through the shell in a fake browser that the test registers for http addresses.
#include "harness.h"
#include "product.h"

namespace harness {
namespace {

const std::wstring kAddress = std::wstring(L"http://") + kVendorHost + L"/?qq=vandrel";

class Link : public ToolTest {
 protected:
  static void SetUpTestSuite() {
    // The fake browser handles http addresses in this prefix.
    const std::wstring command = L"\"" + WindowsPath(Env(L"FAKE_BROWSER")) + L"\" \"%1\"";
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_CLASSES_ROOT, L"http\\shell\\open\\command", 0, nullptr, 0, KEY_SET_VALUE,
                    nullptr, &key, nullptr);
    RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                   static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
  }

  void SetUp() override {
    wchar_t directory[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, directory);
    log_ = std::wstring(directory) + L"vornasta-browser-" + std::to_wstring(GetTickCount64()) +
           L".log";
    SetEnvironmentVariableW(L"FAKE_BROWSER_LOG", log_.c_str());
    ToolTest::SetUp();
  }
  void TearDown() override {
    ToolTest::TearDown();
    DeleteFileW(log_.c_str());
  }

  std::vector<std::wstring> Opened() const {
    std::vector<std::wstring> addresses;
    const HANDLE file = CreateFileW(log_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return addresses;
    std::string bytes(4096, '\0');
    DWORD got = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(file);
    std::wstring line;
    for (char c : bytes.substr(0, got)) {
      if (c == '\n') {
        addresses.push_back(line);
        line.clear();
      } else {
        line += static_cast<wchar_t>(static_cast<unsigned char>(c));
      }
    }
    return addresses;
  }

  // Waits until the browser has been handed exactly one address, and returns it.
  std::wstring WaitForPage() const {
    EXPECT_TRUE(WaitUntil([&] { return !Opened().empty(); })) << "no page was opened";
    const std::vector<std::wstring> opened = Opened();
    EXPECT_EQ(opened.size(), 1u);
    return opened.empty() ? L"" : opened.front();
  }

  std::wstring log_;
};

TEST_F(Link, UpdateButtonShowsTheVendorsMessageAndOpensThePageOnlyAfterIt) {
  PostClick(Control(L"Button", L"更新"));
  const HWND message = WaitForMessage();
  ASSERT_TRUE(message);
  EXPECT_EQ(MessageText(message), std::wstring(kVendorName) + L" 值得关注 " + kVendorHost);
  // While the message is up, nothing is opened: give the tool every chance to do it early.
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer);
  EXPECT_FALSE(WaitUntil([&] { return !Opened().empty(); }, 500ms))
      << "the page opened before the message was dismissed";
  DismissMessage(message);
  EXPECT_EQ(WaitForPage(), kAddress);
}

TEST_F(Link, ClickOnTheLabelOpensTheSamePageAtOnceWithoutAMessage) {
  ASSERT_TRUE(BringToFront(main_));
  const RECT label = WindowRectOf(Control(L"Static"));
  ClickAt({(label.left + label.right) / 2, (label.top + label.bottom) / 2});
  EXPECT_EQ(WaitForPage(), kAddress);
  EXPECT_FALSE(ShowsAnotherWindow()) << "the label showed a message";
}

// The pointer over a hand-cursor label is the hand. Cursor handles cannot be compared across
// processes under Wine, so the test form, whose label is set up as the tool's, compares in its own
// process while the real mouse rests on its label.
TEST(LinkCursor, PointerOverAHandPointLabelIsTheHand) {
  HWND form = nullptr;
  auto process = StartFormHarness(L"text", form);
  ASSERT_TRUE(process && form);
  ASSERT_TRUE(BringToFront(form));
  HWND label = nullptr, probe = nullptr;
  for (HWND child : Descendants(form)) {
    if (Text(child) == L"Link") label = child;
    if (Text(child) == L"Probe") probe = child;
  }
  ASSERT_TRUE(label && probe);
  const auto probeAt = [&](POINT point) {
    ClickAt(point);  // rests the pointer there; a click on the face or the label does nothing else
    PostMessageW(probe, BM_CLICK, 0, 0);
    std::wstring answer;
    WaitUntil(
        [&] {
          answer = Text(form);
          return answer.rfind(L"cursor:", 0) == 0;
        },
        5s);
    SetWindowTextW(form, L"Harness");
    return answer;
  };
  const RECT rect = WindowRectOf(label);
  EXPECT_EQ(probeAt({rect.left + 2, rect.bottom + 12}), L"cursor: other") << "off the label";
  EXPECT_EQ(probeAt({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}), L"cursor: hand");
  PostMessageW(form, WM_CLOSE, 0, 0);
  EXPECT_EQ(process->WaitExit(), 0u);
}

}  // namespace
}  // namespace harness

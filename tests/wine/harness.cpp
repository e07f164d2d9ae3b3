#include "harness.h"

#include "description/form_model.h"
#include "skin/skin_data.h"

#include <algorithm>
#include <iterator>
#include <thread>

namespace harness {

std::wstring Env(const wchar_t* name) {
  const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
  if (size == 0) return {};
  std::wstring value(size, L'\0');
  value.resize(GetEnvironmentVariableW(name, value.data(), size));
  return value;
}

std::wstring WindowsPath(const std::wstring& path) {
  if (path.empty() || path[0] != L'/') return path;
  std::wstring result = L"Z:" + path;
  for (wchar_t& c : result) {
    if (c == L'/') c = L'\\';
  }
  return result;
}

std::wstring ToolPath() {
  const std::wstring path = Env(L"VANDREL_EXE");
  if (path.empty()) ADD_FAILURE() << "VANDREL_EXE is not set";
  return WindowsPath(path);
}

std::string Utf8(const std::wstring& text) {
  const int size = static_cast<int>(text.size());
  std::string result(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr,
                                                             0, nullptr, nullptr)),
                     '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), size, result.data(), static_cast<int>(result.size()),
                      nullptr, nullptr);
  return result;
}

bool WaitUntil(const std::function<bool()>& ready, Milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (ready()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(10ms);
  }
}

bool PumpUntil(const std::function<bool()>& ready, Milliseconds timeout) {
  return WaitUntil(
      [&] {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
          TranslateMessage(&message);
          DispatchMessageW(&message);
        }
        return ready();
      },
      timeout);
}

std::unique_ptr<Process> Process::Start(const std::wstring& exe, const std::wstring& arguments,
                                        const std::wstring& directory) {
  std::wstring commandLine = L"\"" + exe + L"\"";
  if (!arguments.empty()) commandLine += L" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      directory.empty() ? nullptr : directory.c_str(), &startup, &info)) {
    ADD_FAILURE() << "cannot start " << Utf8(exe) << ": error " << GetLastError();
    return nullptr;
  }
  CloseHandle(info.hThread);
  return std::unique_ptr<Process>(new Process(info.hProcess, info.dwProcessId));
}

Process::~Process() {
  if (Running()) {
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 5000);
  }
  CloseHandle(process_);
}

bool Process::Running() const {
  return WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Process::WaitExit(Milliseconds timeout) {
  if (WaitForSingleObject(process_, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD code = 0;
  GetExitCodeProcess(process_, &code);
  return code;
}

std::unique_ptr<Process> StartFormHarness(const std::wstring& message, HWND& form) {
  const std::wstring tool = ToolPath();
  const std::wstring exe =
      tool.substr(0, tool.find_last_of(L'\\') + 1) + L"tests\\form_harness.exe";
  auto process = Process::Start(exe, L"\"" + message + L"\"");
  form = nullptr;
  if (!process) return process;
  if (!WaitUntil(
          [&] { return (form = FindTopLevel(process->Id(), L"THarnessForm")) != nullptr; })) {
    ADD_FAILURE() << "the test form did not appear";
  }
  return process;
}

std::vector<HWND> TopLevelWindows(DWORD processId) {
  struct Search {
    DWORD processId;
    std::vector<HWND> found;
  } search{processId, {}};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == s->processId && IsWindowVisible(window)) s->found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindTopLevel(DWORD processId, const wchar_t* className, const wchar_t* caption) {
  for (HWND window : TopLevelWindows(processId)) {
    if (className && ClassOf(window) != className) continue;
    if (caption && Text(window) != caption) continue;
    return window;
  }
  return nullptr;
}

std::vector<HWND> Descendants(HWND parent) {
  std::vector<HWND> found;
  EnumChildWindows(
      parent,
      [](HWND window, LPARAM param) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

std::wstring Text(HWND window) {
  // WM_GETTEXT reads another process's control text, where GetWindowText would not.
  const auto length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(
      SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

RECT ClientRectOnScreen(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  return client;
}

RECT WindowRectOf(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

RECT RectInParent(HWND child) {
  RECT rect = WindowRectOf(child);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

bool BringToFront(HWND window) {
  SetForegroundWindow(window);
  return WaitUntil([&] { return GetForegroundWindow() == window; }, 5s);
}

namespace {

INPUT KeyInput(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

// Waits until the foreground thread has taken everything sent so far.
void Settle() {
  const HWND foreground = GetForegroundWindow();
  DWORD_PTR answer = 0;
  for (int round = 0; round < 3 && foreground; ++round) {
    SendMessageTimeoutW(foreground, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer);
  }
}

}  // namespace

void PressKey(WORD key, std::initializer_list<WORD> modifiers) {
  std::vector<INPUT> inputs;
  for (WORD modifier : modifiers) inputs.push_back(KeyInput(modifier, false));
  inputs.push_back(KeyInput(key, false));
  inputs.push_back(KeyInput(key, true));
  for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it) {
    inputs.push_back(KeyInput(*it, true));
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  Settle();
}

void TypeText(const std::wstring& text) {
  std::vector<INPUT> inputs;
  for (wchar_t c : text) {
    for (bool up : {false, true}) {
      INPUT input{};
      input.type = INPUT_KEYBOARD;
      input.ki.wScan = c;
      input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
      inputs.push_back(input);
    }
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  Settle();
}

INPUT MouseInput(POINT screen, DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
  return input;
}

void ClickAt(POINT screen) {
  // As a hand would: the pointer comes to the spot (from a pixel away, so it really moves), then
  // presses and releases.
  INPUT come[] = {MouseInput({screen.x - 1, screen.y}, MOUSEEVENTF_MOVE),
                  MouseInput(screen, MOUSEEVENTF_MOVE)};
  INPUT click[] = {MouseInput(screen, MOUSEEVENTF_LEFTDOWN),
                   MouseInput(screen, MOUSEEVENTF_LEFTUP)};
  SendInput(2, come, sizeof(INPUT));
  Settle();
  SendInput(2, click, sizeof(INPUT));
  Settle();
}

bool InMoveLoop(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return (info.flags & GUI_INMOVESIZE) != 0;
}

void DoubleClickAt(POINT screen) {
  INPUT inputs[] = {MouseInput(screen, MOUSEEVENTF_MOVE), MouseInput(screen, MOUSEEVENTF_LEFTDOWN),
                    MouseInput(screen, MOUSEEVENTF_LEFTUP),
                    MouseInput(screen, MOUSEEVENTF_LEFTDOWN),
                    MouseInput(screen, MOUSEEVENTF_LEFTUP)};
  SendInput(5, inputs, sizeof(INPUT));
  Settle();
  const HWND window = WindowFromPoint(screen);
  WaitUntil([&] { return !window || !InMoveLoop(window); }, 5s);
  Settle();
}

bool MenuIsOpen() {
  const HWND menu = FindWindowW(L"#32768", nullptr);  // the class of popup menus
  return menu && IsWindowVisible(menu);
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return info.hwndFocus;
}

LRESULT HitAt(HWND window, POINT screen) {
  return SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
}

std::optional<POINT> FindCaptionHit(HWND window, LRESULT hit) {
  const RECT frame = WindowRectOf(window);
  const RECT client = ClientRectOnScreen(window);
  const LONG y = (frame.top + client.top) / 2;  // through the middle of the caption
  // The middle of the run of points that answer `hit`, where a click is surely inside.
  std::optional<LONG> first, last;
  for (LONG x = frame.right - 1; x >= frame.left; --x) {
    if (HitAt(window, {x, y}) != hit) {
      if (first) break;
      continue;
    }
    if (!first) first = x;
    last = x;
  }
  if (!first) return std::nullopt;
  return POINT{(*first + *last) / 2, y};
}

DWORD StyleOf(HWND window) {
  return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
}
DWORD ExStyleOf(HWND window) {
  return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
}

int ScreenDpi() {
  const std::wstring dpi = Env(L"VORNASTA_DPI");
  return dpi.empty() ? 96 : std::stoi(dpi);
}

int Scaled(int value) {
  return MulDiv(value, ScreenDpi(), 96);
}

COLORREF SkinColor(std::string_view key) {
  static const skin::Settings settings = [] {
    const std::wstring path = WindowsPath(Env(L"VORNASTA_DESCRIPTION"));
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    std::string text(1 << 20, '\0');
    DWORD got = 0;
    ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &got, nullptr);
    CloseHandle(file);
    text.resize(got);
    const description::Form form = description::ReadForm(text);
    return skin::ReadSettings(form.components.at(0).object);
  }();
  const skin::Rgb color = settings.theme.Color(key);
  return RGB(color.r, color.g, color.b);
}

Capture::Capture(const RECT& screen)
    : width_(screen.right - screen.left), height_(screen.bottom - screen.top) {
  pixels_.resize(static_cast<size_t>(width_) * static_cast<size_t>(height_));
  const HDC screenDc = GetDC(nullptr);
  const HDC memory = CreateCompatibleDC(screenDc);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width_;
  info.bmiHeader.biHeight = -height_;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  const HBITMAP bitmap = CreateDIBSection(screenDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width_, height_, screenDc, screen.left, screen.top, SRCCOPY);
  GdiFlush();
  std::copy_n(static_cast<const std::uint32_t*>(bits), pixels_.size(), pixels_.begin());
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screenDc);
}

COLORREF Capture::At(int x, int y) const {
  const std::uint32_t bgr =
      pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
  return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
}

int Capture::Count(COLORREF colour) const {
  int count = 0;
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) count += At(x, y) == colour;
  }
  return count;
}

void ToolTest::SetUp() {
  Launch(ToolPath());
}

void ToolTest::Launch(const std::wstring& exe, const std::wstring& directory) {
  tool_ = Process::Start(exe, L"", directory);
  ASSERT_TRUE(tool_);
  ASSERT_TRUE(WaitUntil([&] { return (main_ = FindTopLevel(tool_->Id(), L"TForm1")) != nullptr; }))
      << "the main window (class TForm1) did not appear";
}

void ToolTest::TearDown() {
  if (tool_ && tool_->Running()) {
    if (main_ && IsWindow(main_)) PostMessageW(main_, WM_CLOSE, 0, 0);
    if (!tool_->WaitExit(5s)) ADD_FAILURE() << "the tool did not end after WM_CLOSE";
  }
  tool_.reset();
}

HWND ToolTest::Control(const wchar_t* className, const std::wstring& text) const {
  std::vector<HWND> matches;
  for (HWND child : Descendants(main_)) {
    if (_wcsicmp(ClassOf(child).c_str(), className) == 0 && (text.empty() || Text(child) == text)) {
      matches.push_back(child);
    }
  }
  EXPECT_EQ(matches.size(), 1u) << "controls of class " << Utf8(className) << " with text '"
                                << Utf8(text) << "'";
  return matches.empty() ? nullptr : matches.front();
}

void ToolTest::PostClick(HWND button) const {
  PostMessageW(button, BM_CLICK, 0, 0);
}

HWND ToolTest::WaitForMessage() const {
  HWND message = nullptr;
  const bool shown = WaitUntil([&] {
    for (HWND window : TopLevelWindows(tool_->Id())) {
      if (window != main_ && GetWindow(window, GW_OWNER) == main_) message = window;
    }
    return message != nullptr;
  });
  EXPECT_TRUE(shown) << "no information message appeared";
  return message;
}

std::wstring ToolTest::MessageText(HWND message) {
  for (HWND child : Descendants(message)) {
    if (ClassOf(child) == L"Static") return Text(child);
  }
  return {};
}

void ToolTest::DismissMessage(HWND message) const {
  for (HWND child : Descendants(message)) {
    if (ClassOf(child) == L"Button") PostMessageW(child, BM_CLICK, 0, 0);
  }
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(message) || !IsWindow(message); }, 5s))
      << "the message did not go";
}

bool ToolTest::ShowsAnotherWindow() const {
  for (HWND window : TopLevelWindows(tool_->Id())) {
    if (window != main_) return true;
  }
  return false;
}

void ToolTest::ExpectClosesWithCodeZero(const std::function<void()>& close) {
  close();
  const std::optional<DWORD> code = tool_->WaitExit();
  ASSERT_TRUE(code.has_value()) << "the tool did not end";
  EXPECT_EQ(*code, 0u);
}

}  // namespace harness

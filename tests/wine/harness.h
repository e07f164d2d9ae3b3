// The Windows test bed: starts the real vandrel.exe and drives and inspects it from outside, the
// way Windows UI tests do (FindWindow, EnumChildWindows, window messages, SendInput, exit codes).
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace harness {

using namespace std::chrono_literals;
using Milliseconds = std::chrono::milliseconds;
constexpr Milliseconds kTimeout = 15s;

std::wstring Env(const wchar_t* name);
// A Unix path (/a/b) as Windows sees it under Wine (Z:\a\b); a Windows path stays as it is.
std::wstring WindowsPath(const std::wstring& path);
// The vandrel.exe under test, from VANDREL_EXE.
std::wstring ToolPath();
std::string Utf8(const std::wstring& text);

// Polls until `ready` holds or `timeout` passes; returns whether it held. Never a fixed sleep.
bool WaitUntil(const std::function<bool()>& ready, Milliseconds timeout = kTimeout);
// Pumps this thread's messages while it polls, for tests that own windows.
bool PumpUntil(const std::function<bool()>& ready, Milliseconds timeout = kTimeout);

class Process {
 public:
  // Starts `exe` with `arguments`; the process is ended, if still running, when this is destroyed.
  static std::unique_ptr<Process> Start(const std::wstring& exe,
                                        const std::wstring& arguments = L"",
                                        const std::wstring& directory = L"");
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  DWORD Id() const { return id_; }
  HANDLE Handle() const { return process_; }
  bool Running() const;
  // Waits for the exit; returns the exit code, or nothing if it is still running after `timeout`.
  std::optional<DWORD> WaitExit(Milliseconds timeout = kTimeout);

 private:
  Process(HANDLE process, DWORD id) : process_(process), id_(id) {}
  HANDLE process_;
  DWORD id_;
};

// The test form (tests/form_harness.exe) with `message` as the text its Show button shows; sets
// `form` to its window once it is up.
std::unique_ptr<Process> StartFormHarness(const std::wstring& message, HWND& form);

std::vector<HWND> TopLevelWindows(DWORD processId);  // visible ones only
HWND FindTopLevel(DWORD processId, const wchar_t* className, const wchar_t* caption = nullptr);
std::vector<HWND> Descendants(HWND parent);
std::wstring Text(HWND window);
std::wstring ClassOf(HWND window);
RECT ClientRectOnScreen(HWND window);
RECT WindowRectOf(HWND window);
// A child's rectangle relative to its parent's client area.
RECT RectInParent(HWND child);

// Input as a user gives it, through SendInput, to the foreground window.
bool BringToFront(HWND window);
void PressKey(WORD key, std::initializer_list<WORD> modifiers = {});
void TypeText(const std::wstring& text);
// A mouse event at a point of the screen (absolute coordinates).
INPUT MouseInput(POINT screen, DWORD flags);
void ClickAt(POINT screen);
// Two clicks in one go at one spot, and the window under it done with any move loop they began.
void DoubleClickAt(POINT screen);
// Whether the thread that owns `window` is moving or sizing a window with the mouse.
bool InMoveLoop(HWND window);
// The keyboard focus in the thread that owns `window`.
HWND FocusOf(HWND window);
// Whether a popup menu (the system menu, say) is open.
bool MenuIsOpen();
LRESULT HitAt(HWND window, POINT screen);
// A point of the caption bar that answers WM_NCHITTEST with `hit` (HTCLOSE, HTMINBUTTON, ...).
std::optional<POINT> FindCaptionHit(HWND window, LRESULT hit);
DWORD StyleOf(HWND window);
DWORD ExStyleOf(HWND window);
int ScreenDpi();        // the DPI the prefix runs at (VORNASTA_DPI)
int Scaled(int value);  // a length at 96 dpi, at the screen's DPI

// A colour of the tool's skin, read from the built window description (VORNASTA_DESCRIPTION).
COLORREF SkinColor(std::string_view key);

// Pixels of a screen rectangle, as the user sees them.
class Capture {
 public:
  explicit Capture(const RECT& screen);
  COLORREF At(int x, int y) const;  // relative to the captured rectangle
  int Width() const { return width_; }
  int Height() const { return height_; }
  // How many pixels equal `colour`.
  int Count(COLORREF colour) const;

 private:
  int width_, height_;
  std::vector<std::uint32_t> pixels_;
};

// vandrel.exe, started for one test and always ended after it.
class ToolTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts `exe` in `directory` and waits for its main window; SetUp does it with the built exe.
  void Launch(const std::wstring& exe, const std::wstring& directory = L"");
  // The one control whose class and text match (text empty: any text); fails the test if not one.
  HWND Control(const wchar_t* className, const std::wstring& text = L"") const;
  // Posts a click: a click that opens a modal message must not wait for it to close.
  void PostClick(HWND button) const;
  // The information message that the tool shows, once it is up.
  HWND WaitForMessage() const;
  // The text of a message window (its static text).
  static std::wstring MessageText(HWND message);
  // Dismisses a message with its OK button and waits until it is gone.
  void DismissMessage(HWND message) const;
  // True while the tool shows a window besides its main window.
  bool ShowsAnotherWindow() const;
  // Closes the window and checks the process ends with exit code 0.
  void ExpectClosesWithCodeZero(const std::function<void()>& close);

  std::unique_ptr<Process> tool_;
  HWND main_ = nullptr;
};

}  // namespace harness

// Runs under Wine (scripts/bench.sh): measures vandrel.exe against the minimal window program, run
// alternately, and prints a table with the ratios.
//   driver VANDREL MINIMAL RUNS
// The fake powercfg.exe in the prefix's system directory ends at once.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

double Now() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Window {
  DWORD process;
  HWND found;
  HWND except;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM param) {
  auto* s = reinterpret_cast<Window*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == s->process && window != s->except && IsWindowVisible(window)) {
    s->found = window;
    return FALSE;
  }
  return TRUE;
}

// A visible top-level window of the process (other than `except`) whose thread has painted it.
HWND ShownWindow(DWORD process, HWND except = nullptr) {
  Window search{process, nullptr, except};
  EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
  DWORD_PTR answer = 0;
  if (search.found &&
      SendMessageTimeoutW(search.found, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer)) {
    return search.found;
  }
  return nullptr;
}

HWND WaitShown(DWORD process, HWND except = nullptr) {
  for (int i = 0; i < 100000; ++i) {
    if (const HWND window = ShownWindow(process, except)) return window;
    Sleep(0);
  }
  return nullptr;
}

PROCESS_INFORMATION Start(const std::wstring& exe, const std::wstring& arguments = L"",
                          DWORD flags = 0) {
  std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, flags, nullptr, nullptr,
                 &startup, &info);
  return info;
}

void Close(PROCESS_INFORMATION& info, HWND window) {
  PostMessageW(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(info.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(info.hProcess, 1);
  CloseHandle(info.hProcess);
  CloseHandle(info.hThread);
}

struct Startup {
  double ms;
  double peakKb;
};

Startup MeasureStartup(const std::wstring& exe) {
  const double start = Now();
  PROCESS_INFORMATION info = Start(exe);
  const HWND window = WaitShown(info.dwProcessId);
  const double shown = Now() - start;
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(info.hProcess, &memory, sizeof memory);
  Close(info, window);
  return {shown, static_cast<double>(memory.PeakWorkingSetSize) / 1024.0};
}

HWND FindChild(HWND parent, const wchar_t* text) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t caption[128] = {};
    SendMessageW(child, WM_GETTEXT, 128, reinterpret_cast<LPARAM>(caption));
    if (std::wstring(caption) == text) return child;
    if (const HWND inner = FindChild(child, text)) return inner;
  }
  return nullptr;
}

double FileKb(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
  return static_cast<double>(data.nFileSizeLow) / 1024.0;
}

void Row(const char* what, double tool, double minimal, const char* unit, double target) {
  const double ratio = tool / minimal;
  std::printf("| %-34s | %10.1f %-2s | %10.1f %-2s | %6.2f | %5.2f | %-4s |\n", what, tool, unit,
              minimal, unit, ratio, target, ratio <= target ? "met" : "over");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: driver VANDREL MINIMAL RUNS\n");
    return 2;
  }
  const std::wstring tool = argv[1], minimal = argv[2];
  const int runs = std::max(10, _wtoi(argv[3]));

  // Warm-up: the first start in a prefix pays for loading Wine itself.
  MeasureStartup(minimal);
  MeasureStartup(tool);
  std::vector<double> toolStart, minimalStart, toolPeak, minimalPeak;
  for (int i = 0; i < runs; ++i) {
    const Startup a = MeasureStartup(tool);
    const Startup b = MeasureStartup(minimal);
    toolStart.push_back(a.ms);
    toolPeak.push_back(a.peakKb);
    minimalStart.push_back(b.ms);
    minimalPeak.push_back(b.peakKb);
  }

  // From the apply button's click to the report on screen, against the fake command alone.
  wchar_t system[MAX_PATH] = {};
  GetSystemDirectoryW(system, MAX_PATH);
  const std::wstring powercfg = std::wstring(system) + L"\\powercfg.exe";
  std::vector<double> report, command;
  PROCESS_INFORMATION info = Start(tool);
  const HWND main = WaitShown(info.dwProcessId);
  SendMessageW(FindChild(main, L"禁用Windows7 休眠"), BM_CLICK, 0, 0);
  const HWND apply = FindChild(main, L"设置");
  for (int i = 0; i < runs; ++i) {
    const double start = Now();
    PostMessageW(apply, BM_CLICK, 0, 0);
    const HWND message = WaitShown(info.dwProcessId, main);
    report.push_back(Now() - start);
    PostMessageW(message, WM_CLOSE, 0, 0);
    while (IsWindowVisible(message)) Sleep(0);

    const double commandStart = Now();
    PROCESS_INFORMATION fake = Start(powercfg, L"-h off", CREATE_NO_WINDOW);
    WaitForSingleObject(fake.hProcess, INFINITE);
    command.push_back(Now() - commandStart);
    CloseHandle(fake.hProcess);
    CloseHandle(fake.hThread);
  }
  Close(info, main);

  std::printf("| %-34s | %13s | %13s | %6s | %5s | %-4s |\n", "measure (median of runs)",
              "vandrel.exe", "yardstick", "ratio", "target", "");
  std::printf("|%s|%s|%s|%s|%s|%s|\n", std::string(36, '-').c_str(), std::string(15, '-').c_str(),
              std::string(15, '-').c_str(), std::string(8, '-').c_str(),
              std::string(7, '-').c_str(), std::string(6, '-').c_str());
  Row("start to window shown and painted", Median(toolStart), Median(minimalStart), "ms", 1.15);
  Row("peak working set", Median(toolPeak), Median(minimalPeak), "KB", 1.25);
  Row("exe size (yardstick: 256 KB)", FileKb(tool), 256.0, "KB", 1.0);
  Row("click to report vs command alone", Median(report), Median(command), "ms", 1.2);
  std::printf("\n%d alternating runs each; minimal window exe: %.1f KB\n", runs, FileKb(minimal));
  return 0;
}

#include "hibernation.h"

#include "system/environment.h"

namespace {

constexpr DWORD kCommandTimeoutMs = 60'000;

constexpr wchar_t kSucceeded[] = L"设置成功";
constexpr wchar_t kNotStarted[] = L"设置没有完成：无法启动系统的电源配置程序 powercfg。";
constexpr wchar_t kFailed[] = L"设置没有完成：电源配置程序 powercfg 报告了错误（退出代码 %1）。";
constexpr wchar_t kTimedOut[] = L"设置没有完成：电源配置程序 powercfg 在 60 秒内没有结束。";
constexpr wchar_t kNeedsAdministrator[] = L"这项设置需要管理员权限。请以管理员身份重新运行本程序。";

std::wstring Trimmed(std::wstring text) {
  const auto blank = [](wchar_t c) { return c == L' ' || c == L'\r' || c == L'\n' || c == L'\t'; };
  while (!text.empty() && blank(text.back())) text.pop_back();
  size_t start = 0;
  while (start < text.size() && blank(text[start])) ++start;
  return text.substr(start);
}

}  // namespace

sys::CommandResult SwitchHibernation(bool on, const sys::Waiter& wait) {
  return sys::RunHidden(sys::SystemToolPath(L"powercfg.exe"), on ? L"-h on" : L"-h off",
                        kCommandTimeoutMs, wait);
}

std::wstring HibernationReport(const sys::CommandResult& result, bool elevated) {
  using Outcome = sys::CommandResult::Outcome;
  std::wstring report;
  switch (result.outcome) {
    case Outcome::Finished: {
      if (result.exitCode == 0) return kSucceeded;
      report = kFailed;
      report.replace(report.find(L"%1"), 2, std::to_wstring(result.exitCode));
      break;
    }
    case Outcome::NotStarted:
      report = std::wstring(kNotStarted) + L"\n\n" + sys::SystemErrorText(result.startError);
      break;
    case Outcome::TimedOut:
      report = kTimedOut;
      break;
  }
  if (const std::wstring output = Trimmed(result.output); !output.empty()) {
    report += L"\n\n" + output;
  }
  if (!elevated && result.outcome != Outcome::NotStarted) {
    report += L"\n\n" + std::wstring(kNeedsAdministrator);
  }
  return report;
}

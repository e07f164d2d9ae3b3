#include "command.h"

#include <array>
#include <memory>
#include <vector>

#include "forms/win.h"

namespace sys {
namespace {

using forms::UniqueHandle;

constexpr DWORD kPipeBuffer = 64 * 1024;
// After the program ended, how long a child it left behind may keep the output pipe open.
constexpr ULONGLONG kOutputGraceMs = 2000;

// An output pipe: the read end for us, overlapped so that it can be waited on with the process;
// the write end inheritable, for the program. A named pipe, since anonymous ones cannot overlap.
bool CreateOutputPipe(UniqueHandle& read, UniqueHandle& write) {
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  for (unsigned attempt = 0; attempt < 16; ++attempt) {
    const std::wstring name = L"\\\\.\\pipe\\vornasta-" + std::to_wstring(GetCurrentProcessId()) +
                              L"-" + std::to_wstring(GetTickCount64()) + L"-" +
                              std::to_wstring(attempt);
    // First instance only: a pipe of that name that someone else made is never used.
    read.Reset(CreateNamedPipeW(
        name.c_str(), PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
        PIPE_TYPE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1, 0, kPipeBuffer, 0, nullptr));
    if (!read) continue;
    write.Reset(CreateFileW(name.c_str(), GENERIC_WRITE, 0, &inheritable, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(write);
  }
  return false;
}

struct AttributeListDeleter {
  void operator()(LPPROC_THREAD_ATTRIBUTE_LIST list) const {
    DeleteProcThreadAttributeList(list);
    delete[] reinterpret_cast<char*>(list);
  }
};
using AttributeList =
    std::unique_ptr<std::remove_pointer_t<LPPROC_THREAD_ATTRIBUTE_LIST>, AttributeListDeleter>;

// Limits what the program inherits to exactly `handles`, whatever else is inheritable.
AttributeList InheritOnly(HANDLE* handles, size_t count) {
  SIZE_T size = 0;
  InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
  auto* raw = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(new char[size]);
  if (!InitializeProcThreadAttributeList(raw, 1, 0, &size)) {
    delete[] reinterpret_cast<char*>(raw);
    return nullptr;
  }
  AttributeList list(raw);
  if (!UpdateProcThreadAttribute(list.get(), 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, handles,
                                 count * sizeof(HANDLE), nullptr, nullptr)) {
    return nullptr;
  }
  return list;
}

// Reads the pipe with one overlapped read at a time, so the program never blocks on a full pipe.
class OutputReader {
 public:
  explicit OutputReader(HANDLE pipe)
      : pipe_(pipe), event_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    overlapped_.hEvent = event_.get();
  }
  ~OutputReader() {
    if (pending_) {
      // The overlapped read must be finished before its buffer goes.
      CancelIoEx(pipe_, &overlapped_);
      DWORD ignored = 0;
      GetOverlappedResult(pipe_, &overlapped_, &ignored, TRUE);
    }
  }
  OutputReader(const OutputReader&) = delete;
  OutputReader& operator=(const OutputReader&) = delete;

  bool Open() const { return open_; }
  bool Pending() const { return pending_; }
  HANDLE Event() const { return event_.get(); }
  const std::string& Bytes() const { return bytes_; }

  // Starts reads until one is pending or the pipe is closed by every writer.
  void Start() {
    while (open_ && !pending_) {
      DWORD got = 0;
      if (ReadFile(pipe_, buffer_.data(), static_cast<DWORD>(buffer_.size()), &got, &overlapped_)) {
        bytes_.append(buffer_.data(), got);
      } else if (GetLastError() == ERROR_IO_PENDING) {
        pending_ = true;
      } else {
        open_ = false;  // ERROR_BROKEN_PIPE: the program and its children are done writing
      }
    }
  }

  // The pending read has completed.
  void Complete() {
    DWORD got = 0;
    pending_ = false;
    if (GetOverlappedResult(pipe_, &overlapped_, &got, FALSE)) {
      bytes_.append(buffer_.data(), got);
    } else {
      open_ = false;
    }
  }

 private:
  HANDLE pipe_;
  UniqueHandle event_;
  OVERLAPPED overlapped_{};
  std::array<char, 4096> buffer_{};
  std::string bytes_;
  bool open_ = true;
  bool pending_ = false;
};

}  // namespace

std::wstring DecodeConsoleOutput(const std::string& bytes) {
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
      static_cast<unsigned char>(bytes[1]) == 0xFE) {
    std::wstring text((bytes.size() - 2) / 2, L'\0');
    for (size_t i = 0; i < text.size(); ++i) {
      text[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[2 + 2 * i]) |
                                     static_cast<unsigned char>(bytes[3 + 2 * i]) << 8);
    }
    return text;
  }
  const int size = static_cast<int>(bytes.size());
  for (const UINT codePage : {static_cast<UINT>(CP_UTF8), GetOEMCP()}) {
    const DWORD flags = codePage == CP_UTF8 ? MB_ERR_INVALID_CHARS : 0;
    const int length = MultiByteToWideChar(codePage, flags, bytes.data(), size, nullptr, 0);
    if (length <= 0 && size > 0) continue;
    std::wstring text(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, flags, bytes.data(), size, text.data(), length);
    return text;
  }
  return {};
}

CommandResult RunHidden(const std::wstring& program, const std::wstring& arguments, DWORD timeoutMs,
                        const Waiter& wait) {
  CommandResult result;
  UniqueHandle readEnd, writeEnd;
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  UniqueHandle input(CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 &inheritable, OPEN_EXISTING, 0, nullptr));
  if (!CreateOutputPipe(readEnd, writeEnd) || !input) {
    result.startError = GetLastError();
    return result;
  }
  HANDLE inherited[] = {input.get(), writeEnd.get()};
  const AttributeList attributes = InheritOnly(inherited, 2);
  if (!attributes) {
    result.startError = GetLastError();
    return result;
  }

  STARTUPINFOEXW startup{};
  startup.StartupInfo.cb = sizeof startup;
  startup.StartupInfo.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
  startup.StartupInfo.wShowWindow = SW_HIDE;
  startup.StartupInfo.hStdInput = input.get();
  startup.StartupInfo.hStdOutput = writeEnd.get();
  startup.StartupInfo.hStdError = writeEnd.get();
  startup.lpAttributeList = attributes.get();
  std::wstring commandLine =
      L"\"" + program + L"\" " + arguments;  // CreateProcessW may write to it
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                      CREATE_NO_WINDOW | EXTENDED_STARTUPINFO_PRESENT, nullptr, nullptr,
                      &startup.StartupInfo, &info)) {
    result.startError = GetLastError();
    return result;
  }
  UniqueHandle process(info.hProcess);
  CloseHandle(info.hThread);
  // Only the program holds the write end now, so the pipe breaks when it is done.
  writeEnd.Reset();
  input.Reset();

  OutputReader reader(readEnd.get());
  ULONGLONG deadline = GetTickCount64() + timeoutMs;
  bool exited = false;
  for (;;) {
    reader.Start();
    if (exited && !reader.Open()) break;
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) break;
    std::vector<HANDLE> handles;
    if (!exited) handles.push_back(process.get());
    if (reader.Pending()) handles.push_back(reader.Event());
    const DWORD signalled = wait(handles, static_cast<DWORD>(deadline - now));
    if (signalled == WAIT_FAILED) break;
    if (signalled == WAIT_TIMEOUT) continue;
    const HANDLE which = handles[signalled - WAIT_OBJECT_0];
    if (which == process.get()) {
      exited = true;
      deadline = std::min(deadline, GetTickCount64() + kOutputGraceMs);
    } else {
      reader.Complete();
    }
  }
  result.output = DecodeConsoleOutput(reader.Bytes());
  if (!exited) {
    result.outcome = CommandResult::Outcome::TimedOut;
    return result;
  }
  GetExitCodeProcess(process.get(), &result.exitCode);
  result.outcome = CommandResult::Outcome::Finished;
  return result;
}

}  // namespace sys
